// Turns one chat line ("slot+text") into the items the chat view shows: a bold speaker
// prefix, words as text or link runs, and smiley images. Knows no widgets, so the exact
// run structure can be checked without a view.
#pragma once

#include <QColor>
#include <QList>
#include <QString>

struct ChatItem {
    enum class Kind { Text, Link, Smiley };
    Kind kind = Kind::Text;
    QString text;  // Text and Link: the run's text, trailing space included
    int smiley = 0;  // Smiley: image index 0..17

    bool operator==(const ChatItem &) const = default;
};

// One line of the view: its colour and its items, the first of which starts the line.
struct ChatLine {
    QColor colour;
    QList<ChatItem> items;
};

class ChatLineBuilder {
public:
    static constexpr int kSmileyCount = 18;
    static constexpr int kFirstSmileyCode = 10;  // ":)#10" is image 0, ":)#27" image 17
    // Links one line may hold; further web addresses of the line stay plain text. Every
    // link costs the view a run and a record of its own, and a relayed line of 4 KiB
    // could otherwise carry hundreds of them.
    static constexpr int kLinksPerLine = 20;

    // Cuts the leading number and "+", takes the text up to the first ":" as the prefix
    // (shown with one space after it), then splits the rest at smiley codes ":)#NN" into
    // words ending in a space; words holding "http://" or "www.", and invite links, become
    // link runs, the first kLinksPerLine of them.
    static ChatLine build(const QString &line, const QColor &colour);

    // A word is a link when it holds "http://" or "www." (case matters), or starts as an
    // invite link does ("quarn:", any case).
    static bool isWebAddress(const QString &word);
    // The image of a two-character smiley code: code - 10 for 10..27, else 0.
    static int smileyIndex(const QString &code);

private:
    static void addWords(const QString &text, QList<ChatItem> &items, int &linksLeft);
};
