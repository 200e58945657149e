#include "HagakiPage.h"

#include "JapaneseFont.h"
#include "PrintAddress.h"
#include "PrintText.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace Quillary {

namespace {

constexpr qreal PointsPerMm = 72.0 / 25.4;
// A cell is a little taller than the glyphs' size, so that characters do not touch.
constexpr qreal CellSpacing = 1.05;

// Japan Post's postal-code boxes, in millimetres from the card's top left corner.
constexpr std::array<qreal, 7> RecipientBoxLefts{44.0, 51.0, 58.0, 65.8, 72.6, 79.4, 86.2};
constexpr QRectF RecipientBox(0, 12.0, 5.7, 8.0);
constexpr std::array<qreal, 7> SenderBoxLefts{5.7, 9.7, 13.7, 18.7, 22.7, 26.7, 30.7};
constexpr QRectF SenderBox(0, 122.5, 4.0, 6.5);

const QColor PrintedRed(220, 40, 40);

} // namespace

/// A vertical column of the card: its middle and the part of the card it may use, in millimetres.
struct HagakiPage::Column
{
    qreal x;
    qreal top;
    qreal bottom;
};

namespace {

// Right to left: the address, the company, the name, the family beside it; the sender lower left.
constexpr qreal AddressX = 86, SecondAddressX = 79, AddressTop = 27, AddressBottom = 128;
constexpr qreal CompanyX = 67;
constexpr qreal NameX = 54, NameTop = 30, NameBottom = 128;
constexpr qreal FamilyStep = 10;
constexpr qreal SenderAddressX = 29, SenderSecondX = 24.5, SenderTop = 72, SenderBottom = 119;
constexpr qreal SenderNameX = 16, SenderNameTop = 80;

// A person's name is written family name first, a space, then the given name.
bool isSplitName(const ContactEntry& entry)
{
    if (!entry.person || !entry.person->showAsPerson())
        return false;
    const NameValue name = entry.person->nameValue();
    return !name.lastName.isEmpty() && !name.firstName.isEmpty();
}

QString writtenName(const ContactEntry& entry)
{
    if (!isSplitName(entry))
        return PrintAddress::recipientName(entry);
    const NameValue name = entry.person->nameValue();
    return name.lastName + u' ' + name.firstName;
}

} // namespace

QSizeF HagakiPage::cardSize()
{
    return {CardWidthMm * PointsPerMm, CardHeightMm * PointsPerMm};
}

HagakiPage::HagakiPage(const HagakiOptions& options, const QSizeF& paperSize)
    : m_options(options), m_paper(paperSize), m_family(JapaneseFont::family(options.fontName))
{ }

QPointF HagakiPage::toView(int page, qreal xMm, qreal yMm) const
{
    return {m_options.leftMargin + xMm * PointsPerMm,
            page * m_paper.height() + m_options.topMargin + yMm * PointsPerMm};
}

QList<QRectF> HagakiPage::boxes(int page, bool sender) const
{
    const QRectF& box = sender ? SenderBox : RecipientBox;
    QList<QRectF> result;
    for (const qreal left : sender ? SenderBoxLefts : RecipientBoxLefts)
        result.append(QRectF(toView(page, left, box.top()), box.size() * PointsPerMm));
    return result;
}

QList<QRectF> HagakiPage::recipientZipBoxes(int page) const
{
    return boxes(page, false);
}

QList<QRectF> HagakiPage::senderZipBoxes(int page) const
{
    return boxes(page, true);
}

QString HagakiPage::zipDigits(const QString& zip)
{
    QString digits;
    for (const QChar character : zip) {
        if (character.isDigit() && character.digitValue() >= 0)
            digits += QChar(u'0' + character.digitValue());
        if (digits.size() == 7)
            break;
    }
    return digits;
}

QStringList HagakiPage::familyNames(const PersonDsc& person, bool spouse, bool children)
{
    QStringList names;
    for (const auto& [wanted, label] : {std::pair{spouse, u"spouse"}, std::pair{children, u"child"}}) {
        if (!wanted)
            continue;
        for (const LabeledValue& relation : person.relationshipValues()) {
            if (relation.label.compare(label, Qt::CaseInsensitive) == 0 && !relation.value.trimmed().isEmpty())
                names.append(relation.value.trimmed());
        }
    }
    return names;
}

QStringList HagakiPage::addressColumns(const PostalAddress& address)
{
    // The street's first line follows prefecture and city; its further lines (the building) make the
    // second column.
    const QStringList street = address.street().split(u'\n', Qt::SkipEmptyParts);
    QStringList columns{address.state().trimmed() + address.city().trimmed() + street.value(0).trimmed()};
    if (street.size() > 1)
        columns.append(street.sliced(1).join(u' ').trimmed());
    return columns;
}

QList<qreal> HagakiPage::drawColumn(QPainter& painter, int page, const QList<VerticalText::Cell>& cells,
                                    const Column& column, qreal pointSize) const
{
    const qreal length = (column.bottom - column.top) * PointsPerMm;
    const qreal natural = VerticalText::columnHeight(cells, 1);
    qreal advance = pointSize * CellSpacing;
    if (natural > 0 && natural * advance > length)
        advance = length / natural;
    const QFont font = PrintText::font(m_family, advance / CellSpacing);
    return VerticalText::drawColumn(painter, font, cells, toView(page, column.x, column.top), advance);
}

void HagakiPage::drawAddress(QPainter& painter, int page, const PostalAddress& address, const Column& column,
                             qreal secondX, qreal pointSize) const
{
    QStringList columns = addressColumns(address);
    QList<VerticalText::Cell> first = VerticalText::cells(VerticalText::addressText(columns.value(0)));
    QList<VerticalText::Cell> second = VerticalText::cells(VerticalText::addressText(columns.value(1)));
    // An address too long for one column goes on in the second, which starts two characters lower.
    const qreal advance = pointSize * CellSpacing;
    const qsizetype room = qsizetype((column.bottom - column.top) * PointsPerMm / advance);
    if (second.isEmpty() && first.size() > room && room > 0) {
        second = first.sliced(room);
        first.resize(room);
    }
    drawColumn(painter, page, first, column, pointSize);
    const Column next{secondX, column.top + 2 * advance / PointsPerMm, column.bottom};
    drawColumn(painter, page, second, next, pointSize);
}

void HagakiPage::drawZip(QPainter& painter, const QList<QRectF>& boxes, const QString& zip, qreal pointSize) const
{
    const QString digits = zipDigits(zip);
    const QFont font = PrintText::font(m_family, pointSize);
    const qreal height = PrintText::metrics(font).height();
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const QString digit(digits.at(i));
        const QPointF centre = boxes.at(i).center();
        PrintText::draw(painter, font, digit, centre - QPointF(PrintText::width(font, digit) / 2, height / 2));
    }
}

void HagakiPage::drawRecipient(QPainter& painter, int page, const ContactEntry& entry) const
{
    const qreal size = m_options.fontSize > 0 ? m_options.fontSize : 16;
    const PersonDsc* person = entry.person.get();
    if (const auto address = person ? PrintAddress::chooseAddress(*person, QStringLiteral("home")) : std::nullopt) {
        drawZip(painter, recipientZipBoxes(page), address->address.zip(), 14);
        drawAddress(painter, page, address->address, {AddressX, AddressTop, AddressBottom}, SecondAddressX, size);
    }
    const QString honorific = m_options.keishou.isEmpty() ? QStringLiteral("様") : m_options.keishou;
    const NameValue name = person ? person->nameValue() : NameValue();
    const bool split = isSplitName(entry);
    const QList<qreal> tops = drawColumn(painter, page, VerticalText::cells(writtenName(entry) + u' ' + honorific),
                                         {NameX, NameTop, NameBottom}, size * 1.75);
    if (person && m_options.printCompany) {
        const QString company = QString(person->stringValueForIdentifier(Field::Company) + u' '
                                        + person->stringValueForIdentifier(Field::Department))
                                    .trimmed();
        drawColumn(painter, page, VerticalText::cells(company), {CompanyX, NameTop + 6, NameBottom - 20}, size * 0.8);
    }
    if (!person)
        return;
    // The family's given names line up under the recipient's given name.
    const qreal givenTop = split ? tops.value(VerticalText::cells(name.lastName).size() + 1) : tops.value(0);
    const QStringList family = familyNames(*person, m_options.printSpouse, m_options.printChildren);
    const int columns = m_options.printSender ? 2 : 4;
    for (qsizetype i = 0; i < family.size() && i < columns; ++i) {
        QString member = i + 1 == columns ? family.sliced(i).join(u'・') : family.at(i);
        if (split && member.startsWith(name.lastName))
            member = member.mid(name.lastName.size()).trimmed();
        const qreal top = (givenTop - page * m_paper.height() - m_options.topMargin) / PointsPerMm;
        drawColumn(painter, page, VerticalText::cells(member + u' ' + honorific),
                   {NameX - FamilyStep * (i + 1), top, NameBottom}, size * 1.5);
    }
}

void HagakiPage::drawSender(QPainter& painter, int page, const ContactEntry& sender) const
{
    const qreal size = m_options.fontSize > 0 ? m_options.fontSize : 16;
    if (sender.person) {
        if (const auto address = PrintAddress::chooseAddress(*sender.person, QStringLiteral("home"))) {
            drawZip(painter, senderZipBoxes(page), address->address.zip(), 9);
            drawAddress(painter, page, address->address, {SenderAddressX, SenderTop, SenderBottom}, SenderSecondX,
                        size * 0.6);
        }
    }
    drawColumn(painter, page, VerticalText::cells(writtenName(sender)), {SenderNameX, SenderNameTop, SenderBottom},
               size * 0.9);
}

void HagakiPage::drawBackground(QPainter& painter, int page) const
{
    painter.save();
    painter.setPen(QPen(PrintedRed, 0.8));
    painter.setBrush(Qt::NoBrush);
    for (const QRectF& box : recipientZipBoxes(page) + senderZipBoxes(page))
        painter.drawRect(box);
    // The hyphen between the third and the fourth box.
    const qreal middle = RecipientBox.center().y();
    painter.drawLine(toView(page, 64.1, middle), toView(page, 65.4, middle));
    painter.setPen(QPen(PrintedRed, 0.6, Qt::DashLine));
    painter.drawRect(QRectF(toView(page, 8, 8), toView(page, 30, 35)));
    painter.setPen(PrintedRed);
    const QFont font = PrintText::font(m_family, 9);
    const QString title = QStringLiteral("郵便はがき");
    PrintText::draw(painter, font, title, toView(page, 50, 3) - QPointF(PrintText::width(font, title) / 2, 0));
    if (m_options.hagakiType.startsWith(u"年賀"))
        PrintText::draw(painter, font, QStringLiteral("年賀"), toView(page, 15, 37));
    painter.restore();
}

void HagakiPage::draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts,
                      const ContactEntry* sender) const
{
    const int firstPage = std::max(0, int(std::floor(rect.top() / m_paper.height())));
    const int lastPage = std::min(int(contacts.size()), int(std::ceil(rect.bottom() / m_paper.height()))) - 1;
    painter.save();
    for (int page = firstPage; page <= lastPage; ++page) {
        if (m_showsBackground && m_options.showBackground)
            drawBackground(painter, page);
        painter.setPen(Qt::black);
        drawRecipient(painter, page, *contacts.at(page));
        if (sender && m_options.printSender)
            drawSender(painter, page, *sender);
    }
    painter.restore();
}

} // namespace Quillary
