// Logging category of the dictionary ("quarn.dictionary"); warnings only by default.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDictionary)
