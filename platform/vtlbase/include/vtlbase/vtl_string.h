#pragma once
// Vtl_String: the add-on's text value. UTF-8 inside; every position, count and length counts Unicode code
// points, never bytes (bytes only through c_str() and str()). The text is always valid UTF-8: bytes that do
// not form UTF-8 are read as Windows-1252 characters when the text is made, so a byte such as '\xBF' from
// older code becomes the character it stood for ('¿') and no operation can split a character.
//
// Comparisons and searches take a boolean `caseSensitive`; false folds case per character over ASCII,
// Latin-1, Latin Extended-A (which covers every letter of Windows-1252), Greek and Cyrillic.
//
// Numbers are written and read with '.' whatever the C locale says.
#include <compare>
#include <iosfwd>
#include <string>
#include <string_view>

#include "vtlbase/export.h"

class VTLBASE_API Vtl_String {
public:
    Vtl_String() = default;
    Vtl_String(const char* text);  // null gives the empty text
    Vtl_String(std::string_view text);
    Vtl_String(const std::string& text);
    // Decimal text of a whole number.
    explicit Vtl_String(int value);
    explicit Vtl_String(long value);
    explicit Vtl_String(short value);
    // Fixed-point text with `decimals` digits after '.' (0 to 40; outside that range clamped). A result that
    // rounds to zero carries no minus sign.
    Vtl_String(double value, int decimals);

    Vtl_String& set(const Vtl_String& text);
    Vtl_String& set(int value);
    Vtl_String& set(long value);
    Vtl_String& set(short value);
    Vtl_String& set(double value, int decimals);

    // The UTF-8 bytes (never null).
    const char* c_str() const { return text_.c_str(); }
    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }

    // Number of characters (code points).
    int length() const;
    bool isEmpty() const { return text_.empty(); }
    // The character at `pos`, or 0 outside the text.
    char32_t charAt(int pos) const;

    // Changing. insertAt accepts 0..length(); removeAt removes up to `count` characters from `pos`
    // (0..length()-1). Out-of-range positions and negative counts change nothing and return false.
    Vtl_String& append(const Vtl_String& text);
    Vtl_String& append(char c);  // a byte above 127 is read as a Windows-1252 character
    Vtl_String& appendChar(char32_t c);
    bool insertAt(int pos, const Vtl_String& text);
    bool removeAt(int pos, int count = 1);
    // Replaces every occurrence of `find`, scanning left to right and going on after each replacement (a
    // replacement is never searched again, so a replacement containing `find` cannot loop). An empty `find`
    // changes nothing. Returns the number of replacements.
    int replaceSubString(const Vtl_String& find, const Vtl_String& replace, bool caseSensitive = true);

    // Reading. getSubStringAt takes up to `count` characters from `start`; a negative count means to the end;
    // a start outside the text gives the empty text.
    Vtl_String getSubStringAt(int start, int count = -1) const;
    bool equal(const Vtl_String& other, bool caseSensitive = true) const;
    bool startsWith(const Vtl_String& prefix, bool caseSensitive = true) const;
    bool endsWith(const Vtl_String& suffix, bool caseSensitive = true) const;
    // True when `text` occurs; the empty text never occurs.
    bool hasSubString(const Vtl_String& text, bool caseSensitive = true) const;
    // Position of the first occurrence at or after `from`, or -1 (also for the empty text).
    int findSubString(const Vtl_String& text, bool caseSensitive = true, int from = 0) const;
    Vtl_String toLower() const;
    Vtl_String toUpper() const;

    // Numbers read from the start of the text as atoi/atof would (leading blanks skipped, the longest
    // number taken); text that does not start with a number gives 0, whole numbers beyond int are clamped,
    // and infinities or NaN give 0.
    int toInt() const;
    double toDouble() const;

    Vtl_String& operator+=(const Vtl_String& text) { return append(text); }
    Vtl_String& operator+=(char c) { return append(c); }

    friend bool operator==(const Vtl_String& a, const Vtl_String& b) { return a.text_ == b.text_; }
    // Ordered by code point (the byte order of UTF-8).
    friend std::strong_ordering operator<=>(const Vtl_String& a, const Vtl_String& b) {
        return a.text_.compare(b.text_) <=> 0;
    }

private:
    std::string text_;
};

VTLBASE_API Vtl_String operator+(const Vtl_String& a, const Vtl_String& b);
VTLBASE_API Vtl_String operator+(const Vtl_String& a, const char* b);
VTLBASE_API Vtl_String operator+(const char* a, const Vtl_String& b);
VTLBASE_API Vtl_String operator+(const Vtl_String& a, char c);
VTLBASE_API std::ostream& operator<<(std::ostream& out, const Vtl_String& text);
