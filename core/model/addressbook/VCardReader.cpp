#include "VCardCodec.h"

#include "VCardCardReader_p.h"

namespace Quillary::AddressBook::VCardCodec {

using namespace VCard;

QStringList readCategories(QByteArrayView text)
{
    Tokenizer tokenizer(text);
    ContentLine line;
    Version version = Version::V30;
    QStringList result;
    while (tokenizer.next(line)) {
        if (line.nameIs("VERSION"))
            version = versionOf(line.value);
        else if (line.nameIs("CATEGORIES"))
            result += listItems(escapedText(line), version);
    }
    return result;
}

QString escapeText(const QString& name)
{
    QByteArray escaped;
    appendEscaped(escaped, name);
    return QString::fromUtf8(escaped);
}

namespace {

/// A card nested in the card read (an AGENT): its text, and the line whose value it is, if any.
struct NestedCard
{
    qsizetype before; ///< the position among the lines at which it stood
    qsizetype carrier; ///< the line whose value it is, or -1
    QByteArrayView text;
};

/// The content lines of the first card of a text, with the cards nested in it apart.
struct CardLines
{
    QVarLengthArray<ContentLine, 48> lines;
    QVarLengthArray<NestedCard, 2> nested;
};

/// Whether a line is an AGENT whose value is "BEGIN:VCARD": a vCard 2.1 AGENT, a card in the lines that
/// follow. Any other property whose text is "BEGIN:VCARD" (a custom label, a note) holds just that text.
bool isBeginValue(const ContentLine& line)
{
    const QByteArrayView value = line.value;
    return line.nameIs("AGENT") && value.size() >= 11 && value.size() < 16
        && equalsUpper(value.trimmed(), "BEGIN:VCARD");
}

/// Reads the lines of the first card; false when there is none. Anything from its END:VCARD on is
/// not read; a BEGIN:VCARD inside it starts a nested card, which lasts to its own END:VCARD. The
/// lines point into the card and into the tokenizer, which has to outlive them.
bool collectLines(QByteArrayView card, Tokenizer& tokenizer, CardLines& result)
{
    auto& lines = result.lines;
    bool begun = false;
    int depth = 0; // of the nested card being read
    NestedCard nested{0, -1, {}};
    qsizetype nestedStart = 0;
    lines.emplace_back();
    for (;;) {
        const qsizetype lineStart = tokenizer.position();
        if (!tokenizer.next(lines.back()))
            break;
        const ContentLine& line = lines.back();
        const bool begin = line.nameIs("BEGIN");
        if (depth > 0) {
            if (begin || isBeginValue(line)) {
                ++depth;
            } else if (line.nameIs("END") && --depth == 0) {
                nested.text = card.sliced(nestedStart, tokenizer.position() - nestedStart);
                result.nested.append(nested);
            }
            continue;
        }
        if (!begun) {
            begun = begin;
            continue;
        }
        const qsizetype index = lines.size() - 1;
        if (begin) {
            // A property without a value before it is the one whose value the card is.
            const bool carried = index > 0 && lines.at(index - 1).value.trimmed().isEmpty();
            nested = NestedCard{index, carried ? index - 1 : -1, {}};
            nestedStart = lineStart;
            depth = 1;
            continue;
        }
        if (isBeginValue(line)) {
            nested = NestedCard{index, index, {}};
            const bool inCard = line.value.data() >= card.data() && line.value.data() < card.data() + card.size();
            nestedStart = inCard ? line.value.data() - card.data() : lineStart;
            depth = 1;
            lines.emplace_back(); // the line stays: the card is its value
            continue;
        }
        if (line.nameIs("END"))
            break;
        lines.emplace_back(); // keep this line, read the next into a new one
    }
    lines.pop_back(); // the END line, or the one the tokenizer could not fill
    return begun;
}

} // namespace

std::optional<Person> readPerson(QByteArrayView card, QStringList* categories, QByteArrayView fileEncoding,
                                 MultiValueSink* sink)
{
    Tokenizer tokenizer(card);
    CardLines content;
    if (!collectLines(card, tokenizer, content))
        return std::nullopt;
    const auto& lines = content.lines;
    Version version = Version::V30;
    for (const ContentLine& line : lines) {
        if (line.nameIs("VERSION")) {
            version = versionOf(line.value);
            break;
        }
    }
    if (categories) {
        categories->clear();
        for (const ContentLine& line : lines) {
            if (line.nameIs("CATEGORIES"))
                *categories += repeatedListItems(line, version);
        }
        categories->squeeze(); // kept as long as the contact: without the room appending left
    }
    CardReader reader(version, lines.data(), lines.size(), fileEncoding, sink);
    for (const ContentLine& line : lines)
        reader.collectGroupLabel(line);
    // Each nested card is kept where it stood, as the value of the line that carries it.
    const auto isCarrier = [&content](qsizetype index) {
        return std::any_of(content.nested.cbegin(), content.nested.cend(),
                           [index](const NestedCard& card) { return card.carrier == index; });
    };
    qsizetype nested = 0;
    for (qsizetype i = 0; i <= lines.size(); ++i) {
        for (; nested < content.nested.size() && content.nested.at(nested).before <= i; ++nested) {
            const NestedCard& card = content.nested.at(nested);
            reader.keepNestedCard(card.carrier >= 0 ? &lines.at(card.carrier) : nullptr, card.text);
        }
        if (i < lines.size() && !isCarrier(i))
            reader.read(lines.at(i));
    }
    return reader.finish();
}

} // namespace Quillary::AddressBook::VCardCodec