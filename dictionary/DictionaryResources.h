// Access to the dictionary's embedded data (resources/wordlist.qrc).
#pragma once

// Registers the word list and vocabulary resources. The resources are compiled into a
// static library, where nothing else would make the linker keep them; calling this
// before the first access does. Cheap after the first call.
void ensureDictionaryResources();
