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

    const auto row = [](const char* name, Action action, const Change& change, bool enabled, bool checked = false,
                        const char* title = "") {
        QTest::newRow(name) << action << change << enabled << checked << QString::fromUtf8(title);
    };
    const auto state = [](std::function<void(DocumentMenuState&)> set) -> Change {
        return [set](DocumentMenuState& s, DocumentMenuItem&) { set(s); };
    };
    const auto item = [](const QString& title, const QString& represented, const QString& parent = {}) -> Change {
        return [=](DocumentMenuState&, DocumentMenuItem& i) {
            i.title = title;
            i.representedObject = represented;
            i.parentRepresentedObject = parent;
        };
    };
    const Change none = [](DocumentMenuState&, DocumentMenuItem&) {};
    const Change csv = state([](DocumentMenuState& s) { s.csv = true; });
    const Change noSelection = state([](DocumentMenuState& s) { s.selectedRowCount = 0; });
    const Change viewing = state([](DocumentMenuState& s) { s.editState = false; });
    const Change sideBarHidden = state([](DocumentMenuState& s) { s.sideBarHidden = true; });
    const Change everything = state([](DocumentMenuState& s) {
        s = DocumentMenuState();
        s.csv = s.sideBarHidden = s.exporting = true;
        s.keyWindow = false;
    });

    // Only the rules with a condition that protects the user's data or the window's state; the window
    // tests drive the CSV document's read-only menus, the exports and the group side bar's commands.
    row("save, vCard", Action::SaveDocument, none, true);
    row("revert, CSV", Action::RevertDocumentToSaved, csv, false);
    row("export vCard without selection", Action::ExportAsVCard, noSelection, false);

    row("sort key chosen", Action::SortOptionsSelected, item("Domain", "Email domain", "Email"), true, true);
    row("sort key of another column", Action::SortOptionsSelected, item("x", "Email domain", "Name"), true);
    row(
        "sort key by menu title", Action::SortOptionsSelected,
        [](DocumentMenuState&, DocumentMenuItem& i) {
            i.representedObject = QStringLiteral("compositeName");
            i.menuTitle = QStringLiteral("Name");
        },
        true, true);
    row("sort options, window not key", Action::SortOptionsSelected,
        state([](DocumentMenuState& s) { s.keyWindow = false; }), false);

    row("selected group", Action::GroupPopupSelected, item("Friends", "Friends-1"), true, true);
    row(
        "top entry alone", Action::GroupPopupSelected,
        [](DocumentMenuState& s, DocumentMenuItem& i) {
            s.groupCount = 1;
            s.selectedGroupUniqueId = i.representedObject = QStringLiteral("All");
        },
        false, true);
    row("show groups", Action::ShowGroupView, sideBarHidden, true, false, "Show Groups");
    row("show groups while exporting", Action::ShowGroupView, state([](DocumentMenuState& s) { s.exporting = true; }),
        false, false, "Hide Groups");
    row("add group, viewing", Action::AddGroup, viewing, false);
    row("delete group", Action::DeleteGroup, none, true);
    row("delete top group", Action::DeleteGroup, state([](DocumentMenuState& s) { s.selectedGroupIsTop = true; }),
        false);

    row("label chosen", Action::LabelPopupChanged, item("work", {}), true, true);
    row(
        "label chosen, pop-up disabled", Action::LabelPopupChanged,
        [](DocumentMenuState& s, DocumentMenuItem& i) {
            s.labelPopupEnabled = false;
            i.title = QStringLiteral("work");
        },
        true, false);
    row("label menu", Action::UpdateLabelMenu, everything, true);
    row("view type by represented object", Action::ViewTypePopupSelected, item("Téléphone", "Phone"), true, true);
    row("column hidden", Action::ColumnsPopupChanged, item("Note", "Note"), true);

    row("change case, viewing", Action::CapitalizeWord, viewing, false);
    row("undo, nothing to undo", Action::Undo, state([](DocumentMenuState& s) { s.canUndo = false; }), false);
    row(
        "find and replace, viewing", Action::PerformTextFinderAction,
        [](DocumentMenuState& s, DocumentMenuItem& i) {
            s.editState = false;
            i.title = findAndReplaceTitle();
        },
        false);
    row(
        "find, viewing", Action::PerformTextFinderAction,
        [](DocumentMenuState& s, DocumentMenuItem& i) {
            s.editState = false;
            i.title = QStringLiteral("Find…");
        },
        true);
    row("any other command", Action::Other, everything, true);
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
