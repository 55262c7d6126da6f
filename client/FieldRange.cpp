// The range check of the host's message fields; see FieldRange.h.
#include "client/FieldRange.h"

bool fieldsInRange(const QLoggingCategory &category, const char *command, std::initializer_list<CheckedField> fields)
{
    for (const CheckedField &checked : fields) {
        if (!checked.range.contains(checked.value)) {
            qCWarning(category).nospace() << command << " ignored: " << checked.range.field << ' ' << checked.value
                                          << " is outside " << checked.range.lowest << ".." << checked.range.highest;
            return false;
        }
    }
    return true;
}
