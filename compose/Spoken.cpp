// SPDX-License-Identifier: GPL-3.0-or-later
#include "Spoken.h"

#include <array>
#include <utility>

namespace Velaro
{

namespace
{

constexpr std::array<QStringView, 26> SpellingAlphabet{
    u"Alfa",   u"Bravo",   u"Charlie", u"Delta",  u"Echo",   u"Foxtrot", u"Golf",
    u"Hotel",  u"India",   u"Juliett", u"Kilo",   u"Lima",   u"Mike",    u"November",
    u"Oscar",  u"Papa",    u"Quebec",  u"Romeo",  u"Sierra", u"Tango",   u"Uniform",
    u"Victor", u"Whiskey", u"X-ray",   u"Yankee", u"Zulu",
};

constexpr std::array<QStringView, 10> DigitWords{
    u"zero", u"one", u"two", u"three", u"four", u"five", u"six", u"seven", u"eight", u"niner",
};

// The longest run of Latin letters that is still spelled rather than said as a word.
constexpr qsizetype LongestSpelledRun = 3;

// Far longer than any call one can transmit: a line that would grow past it, from
// pasting a whole page into a field, ends there.
constexpr qsizetype LongestSpokenLine = 1000;
constexpr QStringView Ellipsis = u" …";

// These checks take UTF-16 code units, not QChar, so that the loops over long pasted
// text stay cheap in a debug build too.
bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isLatinLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isBlank(char16_t c)
{
    return c < 0x80 ? c == u' ' || (c >= u'\t' && c <= u'\r') : QChar::isSpace(c);
}

// Anything that belongs to a word: letters and digits of any script with their
// marks, and characters beyond the basic plane. Everything else parts words.
bool isWordCharacter(char16_t c)
{
    if (c < 0x80)
        return isLatinLetter(c) || isDigit(c);
    return QChar::isLetterOrNumber(c) || QChar::isMark(c) || QChar::isSurrogate(c);
}

bool isWordCharacterButDigit(char16_t c)
{
    return isWordCharacter(c) && !isDigit(c);
}

bool isAll(QStringView text, bool (*test)(char16_t))
{
    const char16_t* const end = text.utf16() + text.size();
    for (const char16_t* unit = text.utf16(); unit != end; ++unit) {
        if (!test(*unit))
            return false;
    }
    return !text.isEmpty();
}

qsizetype runEnd(QStringView text, qsizetype from, bool (*test)(char16_t))
{
    const char16_t* const units = text.utf16();
    const qsizetype size = text.size();
    while (from < size && test(units[from]))
        ++from;
    return from;
}

// How pilot-typed text is said: a callsign letter by letter, other text by runs.
enum class Spelling { EveryLetter, ShortRuns };

// Builds the spoken line word by word, with single blanks, no blank before a comma
// and no comma right after another, and cuts it short where it grows too long.
class Speech
{
public:
    Speech() { m_line.reserve(LongestSpokenLine + Ellipsis.size()); }

    bool isCut() const { return m_cut; }

    // Words as written, their blanks and commas tidied.
    void say(QStringView text)
    {
        const char16_t* const units = text.utf16();
        const qsizetype size = text.size();
        qsizetype at = 0;
        while (at < size && !m_cut) {
            if (isBlank(units[at])) {
                m_blankDue = true;
                ++at;
            } else if (units[at] == u',') {
                if (!m_line.isEmpty() && !m_afterComma && fits(1))
                    m_line += u',';
                m_afterComma = true;
                m_blankDue = true;
                ++at;
            } else {
                qsizetype end = at;
                while (end < size && !isBlank(units[end]) && units[end] != u',')
                    ++end;
                const bool blank = m_blankDue && !m_line.isEmpty();
                if (!fits(blank + end - at))
                    return;
                if (blank)
                    m_line += u' ';
                m_line += text.sliced(at, end - at);
                m_blankDue = false;
                m_afterComma = false;
                at = end;
            }
        }
    }

    // Text said as typed, parted from its neighbours.
    void phrase(QStringView text)
    {
        m_blankDue = true;
        say(text);
        m_blankDue = true;
    }

    // A word, or words with single blanks between them and no comma.
    void word(QStringView text)
    {
        const bool blank = !m_line.isEmpty();
        if (!fits(blank + text.size()))
            return;
        if (blank)
            m_line += u' ';
        m_line += text;
        m_blankDue = true;
        m_afterComma = false;
    }

    void spell(QStringView letters)
    {
        const char16_t* const end = letters.utf16() + letters.size();
        for (const char16_t* letter = letters.utf16(); letter != end && !m_cut; ++letter)
            word(SpellingAlphabet[(*letter | 0x20) - u'a']);
    }

    void digits(QStringView digits)
    {
        const char16_t* const end = digits.utf16() + digits.size();
        for (const char16_t* digit = digits.utf16(); digit != end && !m_cut; ++digit)
            word(DigitWords[*digit - u'0']);
    }

    void typed(QStringView text, Spelling spelling)
    {
        const char16_t* const units = text.utf16();
        const qsizetype size = text.size();
        qsizetype at = 0;
        while (at < size && !m_cut) {
            if (isDigit(units[at])) {
                qsizetype end = runEnd(text, at, isDigit);
                digits(text.sliced(at, end - at));
                if (spelling == Spelling::ShortRuns && end + 1 < size &&
                    (units[end] == u'.' || units[end] == u',') && isDigit(units[end + 1])) {
                    word(u"decimal");
                    ++end;
                }
                at = end;
            } else if (isWordCharacter(units[at])) {
                const qsizetype end = runEnd(text, at, isWordCharacterButDigit);
                const QStringView run = text.sliced(at, end - at);
                if (isAll(run, isLatinLetter) &&
                    (spelling == Spelling::EveryLetter || run.size() <= LongestSpelledRun))
                    spell(run);
                else
                    word(run);
                at = end;
            } else {
                ++at;
            }
        }
    }

    QString takeLine() { return std::move(m_line); }

private:
    // Whether added more characters still fit the line; if not, the line ends.
    bool fits(qsizetype added)
    {
        if (m_cut)
            return false;
        if (m_line.size() + added <= LongestSpokenLine)
            return true;
        m_cut = true;
        m_line += m_line.isEmpty() ? Ellipsis.sliced(1) : Ellipsis;
        return false;
    }

    QString m_line;
    bool m_blankDue = false;
    bool m_afterComma = false;
    bool m_cut = false;
};

void sayAerodrome(Speech& speech, QStringView text)
{
    const QStringView name = text.trimmed();
    if (name.size() == 4 && isAll(name, isLatinLetter))
        speech.spell(name);
    else
        speech.phrase(name);
}

QStringView sideName(char16_t letter)
{
    switch (letter | 0x20) {
    case u'l':
        return u"left";
    case u'r':
        return u"right";
    case u'c':
        return u"center";
    default:
        return {};
    }
}

// One or two digits and an optional side: "28L" is "two eight left". Anything else
// is said as typed text.
void sayRunway(Speech& speech, QStringView text)
{
    speech.word(u"runway");
    const QStringView runway = text.trimmed();
    const qsizetype digitCount = runEnd(runway, 0, isDigit);
    const QStringView side = runway.sliced(digitCount);
    const QStringView sideWord = side.size() == 1 ? sideName(side.utf16()[0]) : QStringView();
    const bool sideKnown = side.isEmpty() || !sideWord.isNull();
    if (digitCount < 1 || digitCount > 2 || !sideKnown) {
        speech.typed(runway, Spelling::ShortRuns);
        return;
    }
    speech.digits(runway.first(digitCount));
    if (!side.isEmpty())
        speech.word(sideWord);
}

// Whole hundreds and thousands the way altitudes are said: 3600 is "three thousand
// six hundred", 10000 "one zero thousand". False for any other text.
bool sayWholeHundreds(Speech& speech, QStringView number)
{
    if (number.size() < 3 || number.front() == u'0' || !isAll(number, isDigit) ||
        !number.endsWith(u"00"))
        return false;
    const QStringView thousands = number.first(number.size() - 3);
    const QStringView hundreds = number.sliced(number.size() - 3, 1);
    if (!thousands.isEmpty()) {
        speech.digits(thousands);
        speech.word(u"thousand");
    }
    if (hundreds != u"0") {
        speech.digits(hundreds);
        speech.word(u"hundred");
    }
    return true;
}

void sayLevel(Speech& speech, PieceKind kind, QStringView text)
{
    const QStringView level = text.trimmed();
    if (level.isEmpty())
        return;
    if (kind == PieceKind::FlightLevel) {
        speech.word(u"flight level");
        speech.typed(level, Spelling::ShortRuns);
        return;
    }
    if (!sayWholeHundreds(speech, level))
        speech.typed(level, Spelling::ShortRuns);
    speech.word(u"metres");
}

void sayLegTime(Speech& speech, QStringView text)
{
    const QStringView time = text.trimmed();
    if (time.isEmpty())
        return;
    speech.typed(time, Spelling::ShortRuns);
    speech.word(time == u"1" ? QStringView(u"minute") : QStringView(u"minutes"));
}

} // namespace

QString spokenForm(const Message& message)
{
    Speech speech;
    for (const Piece& piece : message) {
        if (speech.isCut())
            break;
        switch (piece.kind) {
        case PieceKind::Words:
            speech.say(piece.saidAs.isNull() ? piece.text : piece.saidAs);
            break;
        case PieceKind::Aerodrome:
            sayAerodrome(speech, piece.text);
            break;
        case PieceKind::Callsign:
            speech.typed(piece.text, Spelling::EveryLetter);
            break;
        case PieceKind::Runway:
            sayRunway(speech, piece.text);
            break;
        case PieceKind::Taxiway:
            speech.word(u"taxiway");
            speech.typed(piece.text, Spelling::ShortRuns);
            break;
        case PieceKind::FlightLevel:
        case PieceKind::MetricLevel:
            sayLevel(speech, piece.kind, piece.text);
            break;
        case PieceKind::LegTime:
            sayLegTime(speech, piece.text);
            break;
        case PieceKind::MinutesPastHour:
        case PieceKind::TypedText:
            speech.typed(piece.text, Spelling::ShortRuns);
            break;
        case PieceKind::PickedDirection:
            speech.phrase(piece.text);
            break;
        }
    }
    return speech.takeLine();
}

} // namespace Velaro
