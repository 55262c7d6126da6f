// Registration of the dictionary's embedded data.
#include "dictionary/DictionaryResources.h"

#include <QtGlobal>

void ensureDictionaryResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(wordlist);
        return true;
    }();
    Q_UNUSED(registered);
}
