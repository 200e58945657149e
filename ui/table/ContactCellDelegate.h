#pragma once

#include <QCache>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

namespace Quillary {
enum class EditKey;
class ContactsViewController;
class PersonDsc;
struct CellContent;
} // namespace Quillary

namespace Quillary::Ui {

/// Draws the cells of the contacts table as the core describes them: the name with the contact's
/// thumbnail in bold, the two-line name and company, plain text, the label pop-up beside a
/// labelled value, and the summary row; occurrences of the find text get an orange background.
class ContactCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactCellDelegate)

public:
    ContactCellDelegate(const ContactsViewController& controller, QObject* parent = nullptr);
    ~ContactCellDelegate() override;

    /// The table font, its bold form and the height of one text line of the table.
    void setFonts(const QFont& font, const QFont& boldFont, int lineHeight);
    [[nodiscard]] int lineHeight() const { return m_lineHeight; }
    /// Forgets the thumbnails (the photos may have changed).
    void clearThumbnails() { m_thumbnails.clear(); }

    /// Where the label pop-up of a labelled cell is drawn, and where its text goes.
    [[nodiscard]] QRect labelRect(const QRect& cell) const;
    [[nodiscard]] QRect valueRect(const QRect& cell) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    /// The width a cell needs to show its content whole.
    [[nodiscard]] int contentWidth(const CellContent& cell) const;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Typing in a cell. The text goes to the commit handler, not to the model: the core applies it.
    /// Receives the text of a cell whose editing ended with a commit.
    using CommitHandler = std::function<void(int row, int column, const QString& text)>;
    /// Sees Return, Tab, Shift-Tab and Escape first; true when it took the key.
    using KeyHandler = std::function<bool(QWidget* editor, int row, int column, EditKey key)>;
    void setCommitHandler(CommitHandler handler) { m_commit = std::move(handler); }
    void setKeyHandler(KeyHandler handler) { m_key = std::move(handler); }
    /// Ends the editing in `editor`: its text is committed and it closes.
    void finishEditing(QWidget* editor);
    /// Ends the editing in `editor` without keeping its text.
    void abandonEditing(QWidget* editor);
    /// The editor open now, if any.
    [[nodiscard]] QWidget* activeEditor() const { return m_activeEditor; }
    /// The view closed an editor (it is deleted later).
    void editorClosed(QWidget* editor);

    [[nodiscard]] QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void paintName(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                   const CellContent& cell) const;
    /// Where the name's text goes: beside the photo, when the cell shows one.
    [[nodiscard]] QRect nameTextRect(const QRect& cell, const CellContent& content) const;
    void paintLabeled(QPainter* painter, const QStyleOptionViewItem& option, const CellContent& cell) const;
    void paintSummary(QPainter* painter, const QStyleOptionViewItem& option) const;
    /// Text lines centred vertically in `rect` (or, with `top`, the first line centred on the
    /// row's first line), each too long line ending in "…", the find text highlighted.
    void drawText(QPainter* painter, const QRect& rect, const QString& text, const QFont& font, const QColor& color,
                  bool top = false) const;
    [[nodiscard]] QPixmap thumbnail(const PersonDsc& person, int side) const;

    const ContactsViewController& m_controller;
    QFont m_font;
    QFont m_boldFont;
    int m_lineHeight = 20;
    mutable QCache<quintptr, QPixmap> m_thumbnails;
    mutable QPointer<QWidget> m_activeEditor;
    /// The cell being painted, for the find bar's current match.
    struct PaintedCell
    {
        int row = -1;
        int column = -1;
        QString text;
    };
    mutable PaintedCell m_painting;
    CommitHandler m_commit;
    KeyHandler m_key;
};

} // namespace Quillary::Ui
