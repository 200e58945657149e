#pragma once

#include "FakeContactTableView.h"
#include "documents/ContactDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Sample files and helpers shared by the document tests.

namespace Quillary::Test {

/// One card with a UID, a name, a mobile number and, when given, its categories.
inline QByteArray card(const QString& uid, const QString& first, const QString& last, const QString& categories = {})
{
    QString text = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nN:%3;%2;;;\r\nFN:%2 %3\r\n"
                                  "TEL;type=CELL:+1 555 01%4\r\n")
                       .arg(uid, first, last, uid.right(2));
    if (!categories.isEmpty())
        text += QStringLiteral("CATEGORIES:") + categories + QStringLiteral("\r\n");
    text += QStringLiteral("END:VCARD\r\n");
    return text.toUtf8();
}

/// Three contacts: Ann in Friends and Work, Bob in Friends, Cy in no group.
inline QByteArray sampleCards()
{
    return card(QStringLiteral("U-01"), QStringLiteral("Ann"), QStringLiteral("Able"), QStringLiteral("Friends,Work"))
        + card(QStringLiteral("U-02"), QStringLiteral("Bob"), QStringLiteral("Baker"), QStringLiteral("Friends"))
        + card(QStringLiteral("U-03"), QStringLiteral("Cy"), QStringLiteral("Cole"));
}

/// `count` contacts without groups, for work that should last a few progress reports.
inline QByteArray manyCards(int count)
{
    QByteArray cards;
    for (int i = 0; i < count; ++i)
        cards += card(QStringLiteral("M-%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Name%1").arg(i),
                      QStringLiteral("Family"));
    return cards;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The CATEGORIES line of the card with a given UID in a written stream; "-" when the card has none.
inline QByteArray categoriesOf(const QByteArray& stream, const QByteArray& uid)
{
    const qsizetype at = stream.indexOf(QByteArray("UID:" + uid));
    if (at < 0)
        return {};
    const qsizetype begin = stream.lastIndexOf("BEGIN:VCARD", at);
    const QByteArray cardText = stream.mid(begin, stream.indexOf("END:VCARD", at) - begin);
    for (const QByteArray& line : cardText.split('\n')) {
        if (line.startsWith("CATEGORIES:"))
            return line.mid(11).trimmed();
    }
    return "-";
}

/// A group of the document's own account, or of `remote`; `top` makes it the "All Contacts" entry.
inline GroupEntryPtr makeGroup(const QString& name, const QString& remote = GroupText::VCardAccount, bool top = false)
{
    auto group = std::make_shared<GroupEntry>();
    group->groupName = name;
    group->groupId = name;
    group->uniqueId = top ? GroupText::AllUniqueId : name + QStringLiteral("-2024-01-01 10:00:00 +0000");
    group->top = top;
    group->remote = remote;
    return group;
}

inline GroupEntryPtr groupById(const ContactCollection& collection, const QString& groupId)
{
    for (const GroupEntryPtr& group : collection.groupTable) {
        if (group->groupId == groupId)
            return group;
    }
    return {};
}

/// Cancels a task as soon as it first reports progress: from the main thread, before it has ended.
inline void cancelOnFirstProgress(DocumentTask* task)
{
    QObject::connect(task, &DocumentTask::progressChanged, task, [task] { task->cancel(); });
}

/// A document read from the sample cards written to `path`, with a table view; autosaving is off.
inline void openSample(ContactDocument& document, FakeContactTableView& view, const QString& path)
{
    writeFile(path, sampleCards());
    const DocumentError error = document.read(path);
    QVERIFY2(!error.isError(), qPrintable(error.recoverySuggestion));
    // Tests that want autosaving turn it on; a slow run must not save behind the others' backs.
    document.setAutosaveDelay(0);
    document.setView(&view);
    view.rows = document.collection().contactTable;
}

/// The sample document of a test and its table view: `auto& [document, view] = sample();`.
struct SampleDocument
{
    ContactDocument document;
    FakeContactTableView view;
};

/// The fixture of the document tests: a folder of files of their own and the sample document,
/// both made afresh for each test.
class DocumentTestCase : public QObject
{
    Q_OBJECT

protected:
    [[nodiscard]] QString path(const QString& name) const { return m_dir->filePath(name); }
    [[nodiscard]] QDir folder() const { return QDir(m_dir->path()); }
    /// The sample cards written to a.vcf and read into a document with a table view.
    SampleDocument& sample()
    {
        m_sample = std::make_unique<SampleDocument>();
        openSample(m_sample->document, m_sample->view, path(QStringLiteral("a.vcf")));
        return *m_sample;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_sample.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SampleDocument> m_sample;
};

} // namespace Quillary::Test
