// The computer opponent's vocabulary: common lower-case words of 1 to 7 letters.
#pragma once

#include <QStringList>

// The embedded vocabulary, sorted, lower-case, without repeats. Lines that are not a
// word of 1 to 7 letters a-z are skipped; a missing resource gives an empty list.
QStringList loadVocabulary();
