// Logging category of the dictionary.
#include "dictionary/DictionaryLog.h"

Q_LOGGING_CATEGORY(lcDictionary, "quarn.dictionary", QtWarningMsg)
