#include "TestSupport.h"
#include "documents/DocumentMenuValidation.h"

#include <QTest>

#include <functional>

using namespace Quillary;
using namespace Quillary::DocumentMenuValidation;
using namespace Qt::StringLiterals;

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
    state.selectedGroupUniqueId = u"Friends-1"_s;
    state.selectedGroupIsTop = false;
    state.sideBarHidden = false;
    state.exporting = false;
    state.editState = true;
    state.keyWindow = true;
    state.canUndo = true;
    state.canRedo = true;
    state.selectedViewType = u"Phone"_s;
    state.selectedViewTypeColumns = {u"Name"_s, u"Phone"_s};
    state.selectedLabels = {u"mobile"_s, u"work"_s};
    state.labelPopupEnabled = true;
    state.selectedSortKeys = {{u"Email"_s, u"Email domain"_s}, {u"Name"_s, u"compositeName"_s}};
    return state;
}

using Change = std::function<void(DocumentMenuState&, DocumentMenuItem&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDocumentMenuValidation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validateMenuItem_data()
    {
        Test::addColumns<Action, Change, bool, bool, QString>("action", "change", "enabled", "checked", "title");

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
        const Change csv = state([](DocumentMenuState& s) { s.csv = true; });
        const Change noSelection = state([](DocumentMenuState& s) { s.selectedRowCount = 0; });
        const Change viewing = state([](DocumentMenuState& s) { s.editState = false; });
        const Change everything = state([](DocumentMenuState& s) {
            s = DocumentMenuState();
            s.csv = s.sideBarHidden = s.exporting = true;
            s.keyWindow = false;
        });

        // Only the rules with a condition that protects the user's data or the window's state; the window
        // tests drive the CSV document's read-only menus, saving, the exports, adding and deleting groups
        // (and their refusal when locked or on all contacts), undo, and the ticks of the chosen sort key,
        // group, label, view type and columns.
        row("revert, CSV", Action::RevertDocumentToSaved, csv, false);
        row("export vCard without selection", Action::ExportAsVCard, noSelection, false);

        row("sort key of another column", Action::SortOptionsSelected, item("x", "Email domain", "Name"), true);
        row("sort options, window not key", Action::SortOptionsSelected,
            state([](DocumentMenuState& s) { s.keyWindow = false; }), false);

        row("show groups while exporting", Action::ShowGroupView,
            state([](DocumentMenuState& s) { s.exporting = true; }), false, false, "Hide Groups");

        row(
            "label chosen, pop-up disabled", Action::LabelPopupChanged,
            [](DocumentMenuState& s, DocumentMenuItem& i) {
                s.labelPopupEnabled = false;
                i.title = u"work"_s;
            },
            true, false);
        row("label menu", Action::UpdateLabelMenu, everything, true);

        row("change case, viewing", Action::CapitalizeWord, viewing, false);
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
                i.title = u"Find…"_s;
            },
            true);
        row("any other command", Action::Other, everything, true);
    }
    void validateMenuItem()
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
};

QTEST_GUILESS_MAIN(TestDocumentMenuValidation)
#include "tst_documentmenuvalidation.moc"
