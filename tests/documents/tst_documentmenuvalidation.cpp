#include "documents/DocumentMenuValidation.h"

#include <QTest>

#include <functional>

using namespace Quillary;
using namespace Quillary::DocumentMenuValidation;

Q_DECLARE_METATYPE(Quillary::DocumentMenuValidation::Action)

namespace {

/// A vCard document in edit mode with the side bar open, rows selected, a group other than the top
/// one selected, and undo and redo at hand; each row changes what it is about.
DocumentMenuState openState()
{
    DocumentMenuState state;
    state.csv = false;
    state.selectedRowCount = 2;
    state.groupCount = 3;
    state.selectedGroupUniqueId = QStringLiteral("Friends-1");
    state.selectedGroupIsTop = false;
    state.sideBarHidden = false;
    state.exporting = false;
    state.editState = true;
    state.keyWindow = true;
    state.canUndo = true;
    state.canRedo = true;
    state.selectedViewType = QStringLiteral("Phone");
    state.selectedViewTypeColumns = {QStringLiteral("Name"), QStringLiteral("Phone")};
    state.selectedLabels = {QStringLiteral("mobile"), QStringLiteral("work")};
    state.labelPopupEnabled = true;
    state.selectedSortKeys = {{QStringLiteral("Email"), QStringLiteral("Email domain")},
                              {QStringLiteral("Name"), QStringLiteral("compositeName")}};
    return state;
}

using Change = std::function<void(DocumentMenuState&, DocumentMenuItem&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDocumentMenuValidation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validateMenuItem_data();
    void validateMenuItem();
};

void TestDocumentMenuValidation::validateMenuItem_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("title");

    const Change none = [](DocumentMenuState&, DocumentMenuItem&) {};
    const Change csv = [](DocumentMenuState& s, DocumentMenuItem&) { s.csv = true; };
    const Change noSelection = [](DocumentMenuState& s, DocumentMenuItem&) { s.selectedRowCount = 0; };
    const Change viewing = [](DocumentMenuState& s, DocumentMenuItem&) { s.editState = false; };
    const Change sideBarHidden = [](DocumentMenuState& s, DocumentMenuItem&) { s.sideBarHidden = true; };
    const Change exporting = [](DocumentMenuState& s, DocumentMenuItem&) { s.exporting = true; };
    const Change everything = [](DocumentMenuState& s, DocumentMenuItem&) {
        s.csv = true;
        s.selectedRowCount = 0;
        s.groupCount = 1;
        s.editState = false;
        s.sideBarHidden = true;
        s.keyWindow = false;
        s.canUndo = s.canRedo = false;
        s.exporting = true;
    };
    const auto item = [](const QString& title, const QString& represented, const QString& parent = {}) -> Change {
        return [=](DocumentMenuState&, DocumentMenuItem& i) {
            i.title = title;
            i.representedObject = represented;
            i.parentRepresentedObject = parent;
        };
    };

    // File commands
    for (const Action action : {Action::RevertDocumentToSaved, Action::BrowseDocumentVersions, Action::SaveDocument}) {
        QTest::addRow("file %d, vCard", int(action)) << action << none << true << false << QString();
        QTest::addRow("file %d, CSV", int(action)) << action << csv << false << false << QString();
    }
    for (const Action action :
         {Action::DuplicateDocument, Action::SaveDocumentAs, Action::RenameDocument, Action::MoveDocument})
        QTest::addRow("never %d", int(action)) << action << none << false << false << QString();
    QTest::newRow("export CSV") << Action::ExportAsCSV << none << true << false << QString();
    QTest::newRow("export CSV without selection") << Action::ExportAsCSV << noSelection << false << false << QString();
    QTest::newRow("export CSV from a CSV document") << Action::ExportAsCSV << csv << false << false << QString();
    QTest::newRow("export vCard from a CSV document") << Action::ExportAsVCard << csv << true << false << QString();
    QTest::newRow("export vCard without selection")
        << Action::ExportAsVCard << noSelection << false << false << QString();

    // Sort options
    QTest::newRow("sort key chosen") << Action::SortOptionsSelected
                                     << item(QStringLiteral("Domain"), QStringLiteral("Email domain"),
                                             QStringLiteral("Email"))
                                     << true << true << QString();
    QTest::newRow("sort key not chosen") << Action::SortOptionsSelected
                                         << item(QStringLiteral("Email"), QStringLiteral("Email"),
                                                 QStringLiteral("Email"))
                                         << true << false << QString();
    QTest::newRow("sort key of another column")
        << Action::SortOptionsSelected
        << item(QStringLiteral("x"), QStringLiteral("Email domain"), QStringLiteral("Name")) << true << false
        << QString();
    QTest::newRow("sort key by menu title")
        << Action::SortOptionsSelected << Change([](DocumentMenuState&, DocumentMenuItem& i) {
               i.representedObject = QStringLiteral("compositeName");
               i.menuTitle = QStringLiteral("Name");
           })
        << true << true << QString();
    QTest::newRow("sort options, window not key")
        << Action::SortOptionsSelected << Change([](DocumentMenuState& s, DocumentMenuItem&) { s.keyWindow = false; })
        << false << false << QString();

    // Groups
    QTest::newRow("selected group") << Action::GroupPopupSelected
                                    << item(QStringLiteral("Friends"), QStringLiteral("Friends-1")) << true << true
                                    << QString();
    QTest::newRow("other group") << Action::GroupPopupSelected << item(QStringLiteral("Work"), QStringLiteral("Work-1"))
                                 << true << false << QString();
    QTest::newRow("top entry alone") << Action::GroupPopupSelected
                                     << Change([](DocumentMenuState& s, DocumentMenuItem& i) {
                                            s.groupCount = 1;
                                            s.selectedGroupUniqueId = QStringLiteral("All");
                                            i.representedObject = QStringLiteral("All");
                                        })
                                     << false << true << QString();
    QTest::newRow("hide groups") << Action::ShowGroupView << none << true << false << "Hide Groups";
    QTest::newRow("show groups") << Action::ShowGroupView << sideBarHidden << true << false << "Show Groups";
    QTest::newRow("show groups while exporting")
        << Action::ShowGroupView << exporting << false << false << "Hide Groups";
    QTest::newRow("add group") << Action::AddGroup << none << true << false << QString();
    QTest::newRow("add group, viewing") << Action::AddGroup << viewing << false << false << QString();
    QTest::newRow("add group, side bar hidden") << Action::AddGroup << sideBarHidden << false << false << QString();
    QTest::newRow("delete group") << Action::DeleteGroup << none << true << false << QString();
    QTest::newRow("delete top group") << Action::DeleteGroup << Change([](DocumentMenuState& s, DocumentMenuItem&) {
        s.selectedGroupIsTop = true;
    }) << false << false << QString();
    QTest::newRow("delete group, viewing") << Action::DeleteGroup << viewing << false << false << QString();
    QTest::newRow("delete group, side bar hidden")
        << Action::DeleteGroup << sideBarHidden << false << false << QString();

    // Labels, view types, columns
    QTest::newRow("label chosen") << Action::LabelPopupChanged << item(QStringLiteral("work"), {}) << true << true
                                  << QString();
    QTest::newRow("label not chosen") << Action::LabelPopupChanged << item(QStringLiteral("home"), {}) << true << false
                                      << QString();
    QTest::newRow("label chosen, pop-up disabled")
        << Action::LabelPopupChanged << Change([](DocumentMenuState& s, DocumentMenuItem& i) {
               s.labelPopupEnabled = false;
               i.title = QStringLiteral("work");
           })
        << true << false << QString();
    QTest::newRow("label menu") << Action::UpdateLabelMenu << everything << true << false << QString();
    QTest::newRow("view type chosen") << Action::ViewTypePopupSelected << item(QStringLiteral("Phone"), {}) << true
                                      << true << QString();
    QTest::newRow("view type by represented object")
        << Action::ViewTypePopupSelected << item(QStringLiteral("Téléphone"), QStringLiteral("Phone")) << true << true
        << QString();
    QTest::newRow("other view type") << Action::ViewTypePopupSelected << item(QStringLiteral("Email"), {}) << true
                                     << false << QString();
    QTest::newRow("column shown") << Action::ColumnsPopupChanged
                                  << item(QStringLiteral("Phone"), QStringLiteral("Phone")) << true << true
                                  << QString();
    QTest::newRow("column hidden") << Action::ColumnsPopupChanged
                                   << item(QStringLiteral("Note"), QStringLiteral("Note")) << true << false
                                   << QString();

    // Editing
    QTest::newRow("edit button on") << Action::EditButtonPressed << none << true << true << QString();
    QTest::newRow("edit button off") << Action::EditButtonPressed << viewing << true << false << QString();
    QTest::newRow("edit button, CSV") << Action::EditButtonPressed
                                      << Change([](DocumentMenuState& s, DocumentMenuItem&) {
                                             s.csv = true;
                                             s.editState = false;
                                         })
                                      << false << false << QString();
    for (const Action action : {Action::UppercaseWord, Action::LowercaseWord, Action::CapitalizeWord}) {
        QTest::addRow("case %d, editing", int(action)) << action << none << true << false << QString();
        QTest::addRow("case %d, viewing", int(action)) << action << viewing << false << false << QString();
    }
    QTest::newRow("undo") << Action::Undo << none << true << false << QString();
    QTest::newRow("undo, nothing to undo")
        << Action::Undo << Change([](DocumentMenuState& s, DocumentMenuItem&) { s.canUndo = false; }) << false << false
        << QString();
    QTest::newRow("redo, nothing to redo")
        << Action::Redo << Change([](DocumentMenuState& s, DocumentMenuItem&) { s.canRedo = false; }) << false << false
        << QString();
    QTest::newRow("redo") << Action::Redo << none << true << false << QString();
    const Change findAndReplace = [](DocumentMenuState& s, DocumentMenuItem& i) {
        s.editState = false;
        i.title = findAndReplaceTitle();
    };
    QTest::newRow("find and replace, viewing")
        << Action::PerformTextFinderAction << findAndReplace << false << false << QString();
    QTest::newRow("find and replace, editing")
        << Action::PerformTextFinderAction
        << Change([](DocumentMenuState&, DocumentMenuItem& i) { i.title = findAndReplaceTitle(); }) << true << false
        << QString();
    QTest::newRow("find, viewing") << Action::PerformTextFinderAction
                                   << Change([](DocumentMenuState& s, DocumentMenuItem& i) {
                                          s.editState = false;
                                          i.title = QStringLiteral("Find…");
                                      })
                                   << true << false << QString();

    QTest::newRow("any other command") << Action::Other << everything << true << false << QString();
}

void TestDocumentMenuValidation::validateMenuItem()
{
    QFETCH(Action, action);
    QFETCH(Change, change);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    QFETCH(QString, title);

    DocumentMenuState state = openState();
    DocumentMenuItem item;
    item.action = action;
    change(state, item);
    const Validation validation = DocumentMenuValidation::validateMenuItem(item, state);
    QCOMPARE(validation.enabled, enabled);
    QCOMPARE(validation.checked, checked);
    QCOMPARE(validation.title, title);
}

QTEST_GUILESS_MAIN(TestDocumentMenuValidation)
#include "tst_documentmenuvalidation.moc"
