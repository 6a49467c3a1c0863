// SPDX-License-Identifier: GPL-3.0-or-later
#include "Spoken.h"

#include <array>
#include <cstddef>
#include <string>

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

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Anything that belongs to a word: letters and digits of any script with their
// marks, and characters beyond the basic plane. Everything else parts words.
bool isWordCharacter(QChar c)
{
    if (c.unicode() < 0x80)
        return isLatinLetter(c) || isDigit(c);
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate();
}

bool isAll(QStringView text, bool (*test)(QChar))
{
    for (const QChar c : text) {
        if (!test(c))
            return false;
    }
    return !text.isEmpty();
}

qsizetype runEnd(QStringView text, qsizetype from, bool (*test)(QChar))
{
    while (from < text.size() && test(text[from]))
        ++from;
    return from;
}

bool isWordCharacterButDigit(QChar c)
{
    return isWordCharacter(c) && !isDigit(c);
}

// How pilot-typed text is said: a callsign letter by letter, other text by runs.
enum class Spelling { EveryLetter, ShortRuns };

// Builds the spoken line word by word, with single blanks, no blank before a comma
// and no comma right after another.
class Speech
{
public:
    // Room for the longest a message can be said, so that the line is never moved:
    // a character is said in at most "November " and a piece adds at most a few
    // words of its own.
    explicit Speech(const Message& message)
    {
        std::size_t longest = 0;
        for (const Piece& piece : message)
            longest += 9 * static_cast<std::size_t>(piece.text.size() + piece.saidAs.size()) + 40;
        m_line.reserve(longest);
    }

    // Words as written, their blanks and commas tidied.
    void say(QStringView text)
    {
        for (const QChar c : text) {
            if (c.isSpace()) {
                m_blankDue = true;
            } else if (c == u',') {
                if (!m_line.empty() && m_line.back() != u',')
                    m_line += u',';
                m_blankDue = true;
            } else {
                if (m_blankDue && !m_line.empty())
                    m_line += u' ';
                m_blankDue = false;
                m_line += c.unicode();
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

    // One word, which holds no blank and no comma.
    void word(QStringView text)
    {
        if (!m_line.empty())
            m_line += u' ';
        m_line.append(text.utf16(), static_cast<std::size_t>(text.size()));
        m_blankDue = true;
    }

    void spell(QStringView letters)
    {
        for (const QChar letter : letters)
            word(SpellingAlphabet[(letter.unicode() | 0x20) - u'a']);
    }

    void digits(QStringView digits)
    {
        for (const QChar digit : digits)
            word(DigitWords[digit.unicode() - u'0']);
    }

    void typed(QStringView text, Spelling spelling)
    {
        qsizetype at = 0;
        while (at < text.size()) {
            if (isDigit(text[at])) {
                qsizetype end = runEnd(text, at, isDigit);
                digits(text.sliced(at, end - at));
                if (spelling == Spelling::ShortRuns && end + 1 < text.size() &&
                    (text[end] == u'.' || text[end] == u',') && isDigit(text[end + 1])) {
                    word(u"decimal");
                    ++end;
                }
                at = end;
            } else if (isWordCharacter(text[at])) {
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

    QString line() const { return QString::fromStdU16String(m_line); }

private:
    // Built where appending a character costs least, copied once at the end.
    std::u16string m_line;
    bool m_blankDue = false;
};

void sayAerodrome(Speech& speech, QStringView text)
{
    const QStringView name = text.trimmed();
    if (name.size() == 4 && isAll(name, isLatinLetter))
        speech.spell(name);
    else
        speech.phrase(name);
}

QStringView sideName(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'L':
        return u"left";
    case u'R':
        return u"right";
    case u'C':
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
    const QStringView sideWord = side.size() == 1 ? sideName(side.front()) : QStringView();
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
    Speech speech(message);
    for (const Piece& piece : message) {
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
    return speech.line();
}

} // namespace Velaro
