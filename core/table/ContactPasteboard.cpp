#include "ContactPasteboard.h"

#include "ContactsViewController.h"
#include "TableRows.h"
#include "documents/ContactFileReader.h"
#include "documents/DocumentGroups.h"
#include "formats/CategoryNames.h"
#include "formats/ZQVCard.h"
#include "support/PrivateFiles.h"
#include "support/SafeFileName.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace Quillary::ContactPasteboard {

namespace {

QList<int> sortedRows(const ContactsViewController& controller, QList<int> rows)
{
    const qsizetype count = controller.subContactTable().size();
    rows.removeIf([count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

/// The name of a payload's .vcf file: the first contact's name, or `fallback`.
QString fileNameFor(const ContactTable& contacts, const QString& fallback)
{
    const QString name = contacts.isEmpty() ? QString() : contacts.first()->person->compositeName();
    return SafeFileName::make(name, fallback, QStringLiteral("vcf"));
}

bool isVCardFile(const QUrl& url)
{
    if (!url.isLocalFile())
        return false;
    const QString suffix = QFileInfo(url.toLocalFile()).suffix();
    return suffix.compare(u"vcf", Qt::CaseInsensitive) == 0 || suffix.compare(u"vcard", Qt::CaseInsensitive) == 0;
}

} // namespace

const QStringList& vCardMimeTypes()
{
    static const QStringList types{VCardMimeType, XVCardMimeType, DirectoryMimeType};
    return types;
}

QString copyText(const ContactsViewController& controller, const QList<int>& rows, const QString& separator)
{
    QString text;
    for (int position : sortedRows(controller, rows)) {
        const SubContactRow& row = controller.subContactTable().at(position);
        text += ZQVCard::csvStringFromContact(TableRows::csvRow(row, controller.collection().selectedLabels),
                                              controller.tableIdentfiers(), separator);
        text += u'\n';
    }
    if (text.size() < 2)
        return {};
    text.chop(1);
    return text;
}

QByteArray vCardText(const ContactTable& contacts, const GroupTable& groupTable, const QStringList& options,
                     bool crlfAfterEach)
{
    QByteArray text;
    const CategoryNames categories(groupTable);
    for (const ContactEntryPtr& contact : contacts) {
        text += ZQVCard::vCardFromContact(*contact, options, categories(contact->groupUniqueIds));
        if (crlfAfterEach)
            text += "\r\n";
    }
    return text;
}

Payload copyAsVCard(const ContactsViewController& controller, const QList<int>& rows)
{
    const ContactTable contacts = controller.contactsForIndexes(sortedRows(controller, rows));
    Payload payload;
    payload.vCard = vCardText(contacts, controller.collection().groupTable, {WriteOption::Note});
    payload.plainText = QString::fromUtf8(payload.vCard);
    payload.fileName = fileNameFor(contacts, QStringLiteral("SelectedContacts"));
    return payload;
}

Payload dragPayload(const ContactsViewController& controller, const QList<int>& rows)
{
    const QList<int> dragged = sortedRows(controller, rows);
    const ContactTable contacts = controller.contactsForIndexes(dragged);
    Payload payload;
    for (const ContactEntryPtr& contact : contacts) {
        // Every value of a contact on its one line: a text editor gets the whole contact.
        payload.plainText +=
            ZQVCard::csvStringFromContact({contact, -1}, FieldIdentifiers::allIdentifiers(), QStringLiteral("\t"));
        payload.plainText += u'\n';
    }
    if (payload.plainText.size() >= 2)
        payload.plainText.chop(1);
    payload.vCard =
        vCardText(contacts, controller.collection().groupTable, {WriteOption::Note, WriteOption::Photo}, true);
    payload.fileName = fileNameFor(contacts, QStringLiteral("draggingContacts"));
    payload.rowIndexes = DocumentGroups::rowIndexText(dragged);
    return payload;
}

QMimeData* mimeData(const Payload& payload, QString* error)
{
    if (payload.plainText.isEmpty() && payload.vCard.isEmpty() && payload.rowIndexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    if (!payload.plainText.isEmpty())
        data->setText(payload.plainText);
    if (!payload.vCard.isEmpty()) {
        for (const QString& type : vCardMimeTypes())
            data->setData(type, payload.vCard);
        const QString path = PrivateFiles::write(payload.fileName, payload.vCard, error);
        if (!path.isEmpty())
            data->setUrls({QUrl::fromLocalFile(path)});
    }
    if (!payload.rowIndexes.isEmpty())
        data->setData(DocumentGroups::RowIndexesMimeType, payload.rowIndexes.toUtf8());
    return data;
}

bool offersContacts(const QMimeData& data)
{
    for (const QString& type : vCardMimeTypes()) {
        if (data.hasFormat(type))
            return true;
    }
    const QList<QUrl> urls = data.urls();
    return std::any_of(urls.cbegin(), urls.cend(), isVCardFile);
}

ContactTable contactsFromMimeData(const QMimeData& data, bool plainText)
{
    const ZQVCard converter;
    for (const QString& type : vCardMimeTypes()) {
        const QByteArray text = data.data(type);
        if (!text.isEmpty())
            return converter.contactsFromVCards(text);
    }
    ContactTable contacts;
    for (const QUrl& url : data.urls()) {
        if (isVCardFile(url))
            contacts += ContactFileReader::readVCard(url.toLocalFile()).contacts;
    }
    if (contacts.isEmpty() && plainText && data.hasText()
        && data.text().contains(QLatin1StringView("BEGIN:VCARD"), Qt::CaseInsensitive))
        contacts = converter.contactsFromVCards(data.text());
    return contacts;
}

bool validateDrop(const DropProposal& proposal)
{
    if (!proposal.editState || proposal.onRow || proposal.fromThisTable)
        return false;
    // Below the summary row there is nothing to drop between; a table without any row has no
    // summary row either, and would otherwise never take its first contacts.
    if (proposal.rowCount > 0 && proposal.row >= proposal.rowCount)
        return false;
    return proposal.fromThisApplication || proposal.offersContacts;
}

} // namespace Quillary::ContactPasteboard
