#!/usr/bin/env python3
"""Builds Quarn's word list and the computer opponent's vocabulary from SCOWL.

Input: Debian's package `scowl` (/usr/share/dict/scowl). Output, both committed:
  resources/wordlist/English.dat   the word list: 15-byte records (0x1E, then the word
                                   upper-case, left-aligned, space-padded to 14 bytes),
                                   sorted ascending by bytes; words over 14 letters are
                                   cut to 14, so a cut form may repeat.
  resources/wordlist/vocabulary.txt  common lower-case words of 1 to 7 letters, sorted,
                                   one per line, for the computer opponent.

Usage: tools/wordlist/make_wordlist.py [--scowl DIR] [--out DIR]
The output is deterministic: the same SCOWL release gives the same bytes.
"""

import argparse
import os
import re
import sys

RECORD_MARK = b"\x1e"
WORD_WIDTH = 14

# Every spelling region and variant level is taken; the size-80 level adds the
# rarer short words that players of word games expect to be accepted.
FULL_SIZES = (10, 20, 35, 40, 50, 55, 60, 70)
SHORT_SIZE = 80
SHORT_SIZE_MAX_LETTERS = 8

# Vowel-less entries are mostly unit symbols (kb, lm, lx) and plurals of letters
# (bs, cs); these few are real words and stay.
VOWELLESS_WORDS = {
    "brr", "brrr", "crwth", "crwths", "cwm", "cwms", "hmm", "nth", "pfft", "phpht",
    "pht", "psst", "pssts", "pst", "psts", "pwn", "pwns", "sh", "shh", "ssh", "tsk",
    "tsks", "tsktsk", "tsktsks", "zzz",
}

# The vocabulary: words per length, close to the mix the opponent was tuned for.
VOCABULARY_QUOTA = {2: 56, 3: 395, 4: 1439, 5: 1655, 6: 2009, 7: 2127}
# Levels the vocabulary draws from, most common first; a level that would overflow
# a length's quota is sampled evenly in alphabetical order.
VOCABULARY_SIZES = (10, 20, 35, 40, 50)
# One-letter words are only ever the common ones.
VOCABULARY_ONE_LETTER_SIZES = (10, 20, 35)
VOCABULARY_REGIONS = ("english", "american")

LOWER_WORD = re.compile(r"^[a-z]+$")


def list_files(scowl_dir):
    """Yields (region, size, path) for every '<region>-words.<size>' file."""
    for name in sorted(os.listdir(scowl_dir)):
        stem, _, size = name.rpartition(".")
        if not stem.endswith("-words") or not size.isdigit():
            continue
        yield stem[: -len("-words")], int(size), os.path.join(scowl_dir, name)


def read_words(path):
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            word = line.strip()
            # Capitals mark proper nouns and abbreviations; apostrophes and accents
            # cannot be spelled with the game's tiles.
            if LOWER_WORD.match(word):
                yield word


def acceptable(word):
    if len(word) < 2:
        return False
    return bool(re.search(r"[aeiouy]", word)) or word in VOWELLESS_WORDS


def collect_word_list(scowl_dir):
    words = set()
    for _region, size, path in list_files(scowl_dir):
        if size in FULL_SIZES:
            words.update(w for w in read_words(path) if acceptable(w))
        elif size == SHORT_SIZE:
            words.update(w for w in read_words(path)
                         if acceptable(w) and len(w) <= SHORT_SIZE_MAX_LETTERS)
    return words


def make_records(words):
    records = sorted(w.upper()[:WORD_WIDTH].ljust(WORD_WIDTH).encode("ascii") for w in words)
    return b"".join(RECORD_MARK + r for r in records)


def words_by_level(scowl_dir, sizes):
    """Maps size -> set of words first appearing at that size (lower sizes win)."""
    per_size = {}
    for region, size, path in list_files(scowl_dir):
        if region in VOCABULARY_REGIONS and size in sizes:
            per_size.setdefault(size, set()).update(read_words(path))
    seen = set()
    levels = {}
    for size in sorted(per_size):
        levels[size] = per_size[size] - seen
        seen |= per_size[size]
    return levels


def even_sample(candidates, count):
    ordered = sorted(candidates)
    return [ordered[int((i + 0.5) * len(ordered) / count)] for i in range(count)]


def collect_vocabulary(scowl_dir, word_list, excluded):
    levels = words_by_level(scowl_dir, VOCABULARY_SIZES)
    chosen = set()
    for size in VOCABULARY_ONE_LETTER_SIZES:
        chosen.update(w for w in levels.get(size, ()) if len(w) == 1)
    for length, quota in VOCABULARY_QUOTA.items():
        picked = set()
        for size in VOCABULARY_SIZES:
            level = {w for w in levels.get(size, ())
                     if len(w) == length and w in word_list and w not in excluded}
            room = quota - len(picked)
            if room <= 0:
                break
            picked |= level if len(level) <= room else set(even_sample(level, room))
        chosen |= picked
    return sorted(chosen)


def read_excluded(path):
    with open(path, encoding="utf-8") as handle:
        return {line.strip() for line in handle if line.strip() and not line.startswith("#")}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scowl", default="/usr/share/dict/scowl")
    parser.add_argument("--out", default=os.path.join(root, "resources", "wordlist"))
    args = parser.parse_args()

    if not os.path.isdir(args.scowl):
        sys.exit(f"SCOWL word lists not found in {args.scowl} (apt-get install scowl)")

    words = collect_word_list(args.scowl)
    data = make_records(words)
    assert b"\0" not in data and len(data) % 15 == 0
    vocabulary = collect_vocabulary(args.scowl, words,
                                    read_excluded(os.path.join(here, "vocabulary-exclude.txt")))

    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "English.dat"), "wb") as handle:
        handle.write(data)
    with open(os.path.join(args.out, "vocabulary.txt"), "w", encoding="ascii", newline="\n") as handle:
        handle.write("".join(w + "\n" for w in vocabulary))

    print(f"word list: {len(data) // 15} records, vocabulary: {len(vocabulary)} words")


if __name__ == "__main__":
    main()
