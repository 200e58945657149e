#pragma once

#include "FindBarText.h"

#include <QObject>

namespace Quillary {

class ContactsViewController;

/// The find bar over the contacts table, without pixels: which form of the bar shows, the text
/// searched for, the matches in the table's text (FindBarText), the match the bar stands on and
/// its place in a cell, and replacing the match or every match through the undo registry.
///
/// Matches never span two sub-fields: each sub-field ends with "\n" and the find text is one line.
/// The matches of a search are found once, with the table's text laid out once, and kept until
/// the text or the search changes, so that stepping from match to match costs next to nothing.
class TableTextFinder final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableTextFinder)

public:
    /// The find bar commands, numbered as the text finder of other desktops numbers them.
    enum class Action {
        ShowFindInterface = 1,
        NextMatch = 2,
        PreviousMatch = 3,
        SetSearchString = 7,
        HideFindInterface = 11,
        ShowReplaceInterface = 12,
    };

    explicit TableTextFinder(ContactsViewController& controller, QObject* parent = nullptr);
    ~TableTextFinder() override;

    [[nodiscard]] FindBarText& text() { return m_text; }

    // The bar ---------------------------------------------------------------------------------
    /// What "Find…" does now: hides the bar when its find form shows, else shows the find form.
    [[nodiscard]] Action actionForFind() const;
    /// What "Find and Replace…" does now: hides the bar when its replace form shows, else shows it.
    [[nodiscard]] Action actionForFindAndReplace() const;
    /// Carries out a find bar command ("Use Selection for Find" goes through `useSelectionForFind`).
    void performAction(Action action);
    /// Searches for a text chosen in the window from now on, in this window and the next bars.
    void useSelectionForFind(const QString& text);
    [[nodiscard]] bool isFindBarVisible() const { return m_findBarState != Action::HideFindInterface; }
    [[nodiscard]] bool isReplaceVisible() const { return m_findBarState == Action::ShowReplaceInterface; }
    /// Replacing writes into contacts: only in edit mode.
    [[nodiscard]] bool isEditable() const;

    // Searching -------------------------------------------------------------------------------
    /// The text searched for; the cells mark it while the bar shows. It is also what the next bar
    /// of any window starts with.
    void setSearchText(const QString& text);
    [[nodiscard]] const QString& searchText() const { return m_searchText; }
    void setCaseSensitive(bool on);
    [[nodiscard]] bool isCaseSensitive() const { return m_caseSensitive; }
    /// Moves to the next (previous) match, from the end (start) of the current one, round the
    /// end of the table; false when nothing matches.
    bool findNext();
    bool findPrevious();
    /// Moves to the first match at or after the start of the current one (typing in the bar).
    bool findFromSelection();
    [[nodiscard]] int matchCount();
    /// 1 for the first match of the table, ...; 0 when the bar stands on no match.
    [[nodiscard]] int currentMatchNumber();
    /// "3 of 17", "Not found", or "" without a find text.
    [[nodiscard]] QString countText();

    // The match the bar stands on ---------------------------------------------------------------
    [[nodiscard]] const TextRange& selectedRange() const { return m_selectedRange; }
    /// Stands on a stretch of the text: its row is selected and its cell shows it as current.
    void selectTextInRange(const TextRange& range);

    // Replacing -------------------------------------------------------------------------------
    /// Replaces the current match by `with`, as one undo step; answers whether a contact changed.
    /// A date or instant-message service is not typed over: `editorRequested` asks for its editor.
    bool replace(const QString& with);
    /// Replaces every match, as one undo step; answers how many were replaced.
    int replaceAll(const QString& with);

    /// What "Use Selection for Find" and a new bar start from, shared by every window.
    [[nodiscard]] static QString findPasteboard();
    static void setFindPasteboard(const QString& text);

Q_SIGNALS:
    /// The bar was shown, hidden or switched between its forms.
    void findBarStateChanged();
    /// The search text changed from the core side (a new bar, "Use Selection for Find").
    void searchTextChanged(const QString& text);
    /// The bar stands on another match, or on none.
    void selectionChanged();
    /// A field is changed in its editor rather than typed over: open it for that cell.
    void editorRequested(int row, int column);

private:
    void rowsRebuilt();
    void updateHighlighting();
    const QList<qsizetype>& matches();
    bool moveTo(qsizetype position);

    ContactsViewController& m_controller;
    FindBarText m_text;
    Action m_findBarState = Action::HideFindInterface;
    QString m_searchText;
    bool m_caseSensitive = false;
    TextRange m_selectedRange;
    // The matches of m_searchText, for the text of m_matchesGeneration.
    QList<qsizetype> m_matches;
    quint64 m_matchesGeneration = 0;
};

} // namespace Quillary
