// quillary-cli addressbook: the user's own address book, through the same core as the application.

#include "CliCommand.h"
#include "documents/AddressBookOwner.h"
#include "documents/Preferences.h"
#include "formats/ContactJson.h"
#include "formats/TextEncodings.h"
#include "table/TableRows.h"

#include <QFile>
#include <QSettings>

namespace Quillary::Cli {

namespace {

/// The application's own settings (the smart groups, the default account, the store's folder),
/// not those of quillary-cli.
Preferences& applicationPreferences()
{
    static Preferences* preferences =
        new Preferences(QSettings(QStringLiteral("Quillary"), QStringLiteral("Quillary")).fileName());
    return *preferences;
}

/// The address book, opened; null with the reason printed when the store cannot be opened.
AddressBookOwner* openAddressBook()
{
    // Never destroyed: main() ends the process with _Exit once the command has run.
    auto* owner = new AddressBookOwner(applicationPreferences());
    if (!owner->open()) {
        err() << "Couldn't open the address book: " << owner->errorString() << '\n';
        return nullptr;
    }
    if (owner->isReadOnly())
        err() << "note: the address book is in use by " << owner->lockHolder() << "; it is read-only\n";
    for (const QString& skipped : owner->skippedFiles())
        err() << "skipped: " << skipped << '\n';
    return owner;
}

int stats(AddressBookOwner& owner)
{
    const ContactCollection& collection = owner.collection();
    qsizetype phones = 0, emails = 0, addresses = 0, groups = 0, smartGroups = 0;
    for (const ContactEntryPtr& entry : collection.contactTable) {
        phones += entry->person->phoneValues().size();
        emails += entry->person->emailValues().size();
        addresses += entry->person->addressValues().size();
    }
    for (const GroupEntryPtr& group : collection.groupTable) {
        if (group->smartGroup)
            ++smartGroups;
        else if (!group->top)
            ++groups;
    }
    out() << "accounts=" << owner.accounts().size() << " contacts=" << collection.contactTable.size()
          << " groups=" << groups << " smartgroups=" << smartGroups << " skipped=" << owner.skippedFiles().size()
          << " phones=" << phones << " emails=" << emails << " addresses=" << addresses << '\n';
    return Success;
}

int dump(AddressBookOwner& owner)
{
    out().flush();
    QFile output;
    if (!output.open(stdout, QIODevice::WriteOnly))
        return Failure;
    bool written = true;
    ContactJson::writeIndentedDocument(
        owner.collection().contactTable, owner.collection().groupTable,
        [&](QByteArrayView text) { written = written && output.write(text.data(), text.size()) == text.size(); });
    return written && output.flush() ? Success : Failure;
}

/// The account called `name` (its name or its folder), made when there is none.
QString accountFor(AddressBookOwner& owner, const QString& name)
{
    if (name.isEmpty())
        return owner.collection().defaultAccount;
    for (const AccountName& account : owner.accounts()) {
        if (account.remote == name || account.store == name)
            return account.remote;
    }
    const QString made = owner.addAccount(name);
    if (!made.isEmpty())
        err() << "made the account " << made << '\n';
    return made;
}

int import(AddressBookOwner& owner, const QCommandLineParser& parser, const QString& file)
{
    if (owner.isReadOnly()) {
        err() << "Nothing was imported: the address book is read-only.\n";
        return Failure;
    }
    const TextEncodings::Resolution encoding = TextEncodings::resolve(parser.value(QStringLiteral("encoding")));
    if (!encoding.ok()) {
        err() << encoding.errorString << '\n';
        return UsageError;
    }
    const ContactFileReader::Result read = ContactFileReader::read(file, encoding.encoding);
    if (!read.ok()) {
        err() << read.errorString << '\n';
        return Failure;
    }
    const QString account = accountFor(owner, parser.value(QStringLiteral("account")));
    if (account.isEmpty()) {
        err() << "Couldn't make the account: " << owner.errorString() << '\n';
        return Failure;
    }
    // For this run only: the application's default account stays as the user chose it.
    owner.setDefaultAccount(account, false);
    ContactTable added = read.contacts;
    if (parser.isSet(QStringLiteral("update")))
        added = owner.updateContacts(read.contacts);
    owner.importContacts(added);
    const VdirStore::SaveReport report = owner.saveAddressBook();
    for (const QString& failure : report.failures)
        err() << "Couldn't write " << failure << '\n';
    out() << "added=" << added.size() << " updated=" << read.contacts.size() - added.size()
          << " written=" << report.written << '\n';
    return report.ok() ? Success : Failure;
}

int exportContacts(AddressBookOwner& owner, const QString& path, const QString& groupName)
{
    const ContactCollection& collection = owner.collection();
    GroupEntryPtr group;
    for (const GroupEntryPtr& entry : collection.groupTable) {
        if (!groupName.isEmpty() && (entry->groupName == groupName || entry->groupId == groupName) && !group)
            group = entry;
    }
    if (!groupName.isEmpty() && !group) {
        err() << "No group " << groupName << '\n';
        return Failure;
    }
    ContactTable contacts;
    for (const ContactEntryPtr& contact : collection.contactTable) {
        if (!contact->deleted && (!group || TableRows::isShownInGroup(*contact, *group)))
            contacts.append(contact);
    }
    const QByteArray cards =
        ZQVCard().vCardsFromContacts(contacts, {WriteOption::Note, WriteOption::Photo}, collection.groupTable);
    if (!writeFileAtomically(path, cards))
        return Failure;
    out() << "exported=" << contacts.size() << '\n';
    return Success;
}

int addressBook(const QCommandLineParser& parser)
{
    const QStringList arguments = parser.positionalArguments();
    const QString action = arguments.value(0);
    const bool needsFile = action == u"import" || action == u"export";
    if (!QStringList{QStringLiteral("stats"), QStringLiteral("dump"), QStringLiteral("import"),
                     QStringLiteral("export")}
             .contains(action)
        || arguments.size() != (needsFile ? 2 : 1)) {
        err() << "Usage: quillary-cli addressbook stats | dump | import FILE [--account NAME] [--update] | "
                 "export OUT.vcf [--group NAME]\n";
        return UsageError;
    }
    AddressBookOwner* owner = openAddressBook();
    if (!owner)
        return Failure;
    int code = Success;
    if (action == u"stats")
        code = stats(*owner);
    else if (action == u"dump")
        code = dump(*owner);
    else if (action == u"import")
        code = import(*owner, parser, arguments.at(1));
    else
        code = exportContacts(*owner, arguments.at(1), parser.value(QStringLiteral("group")));
    // The process ends without destroying the address book: the lock is given back here.
    owner->store()->close();
    return code;
}

const CommandRegistration addressBookCommand{
    {"addressbook",
     "stats | dump | import FILE [--account NAME] [--update] | export OUT.vcf [--group NAME]: the user's own "
     "address book ($QUILLARY_ADDRESSBOOK, else the standard folder)",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({QStringLiteral("account"),
                           QStringLiteral("import: the account (its name or folder) the contacts go to; made when "
                                          "there is none"),
                           QStringLiteral("NAME")});
         parser.addOption({QStringLiteral("update"),
                           QStringLiteral("import: a contact whose UID the account has replaces that contact")});
         parser.addOption({QStringLiteral("group"), QStringLiteral("export: only the contacts of this group"),
                           QStringLiteral("NAME")});
         parser.addPositionalArgument(QStringLiteral("ACTION"), QStringLiteral("stats, dump, import or export"));
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the file to import or export to"));
     },
     addressBook}};

} // namespace

} // namespace Quillary::Cli
