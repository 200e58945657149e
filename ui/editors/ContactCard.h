#pragma once

#include "EditorDialog.h"
#include "editors/ContactCardModel.h"

#include <QWidget>

#include <functional>

class QLabel;
class QMimeData;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace Quillary {
class UndoRegistry;
}

namespace Quillary::Ui {

/// One contact's whole card: photo and name, then every value with its label and icon. Values can
/// be selected, copied and dragged out as text, and offer their actions (call, mail, open, map).
/// In edit mode every line opens its field editor, "+" adds a value to a field, the name opens
/// the name editor, and a photo can be chosen, dropped or removed; every change goes through the
/// owner's undo registry.
class ContactCard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactCard)

public:
    /// `canEdit` tells whether the owner can be edited now (a read-only document cannot).
    ContactCard(UndoRegistry& registry, std::function<bool()> canEdit, QWidget* parent = nullptr);
    ~ContactCard() override;

    void setContact(const ContactEntryPtr& contact);
    [[nodiscard]] const ContactEntryPtr& contact() const { return m_contact; }
    void setEditEnabled(bool on);
    [[nodiscard]] bool editEnabled() const { return m_editEnabled; }
    /// Reads the contact again (after any change of contact data).
    void reload();

    [[nodiscard]] QTreeWidget* fieldList() const { return m_list; }
    [[nodiscard]] const QList<CardField>& lines() const { return m_lines; }

    // What the card's controls do.
    void editLine(int line);
    void editName();
    void addValue(const QString& identifier);
    /// Opens a line's value in another application; `alternate` takes the web map for addresses.
    void performAction(int line, bool alternate = false);
    void copySelection() const;
    void choosePhoto();
    void removePhoto();
    /// Takes an image (or a file of one) as the photo; false when the data holds none.
    bool setPhotoFrom(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    [[nodiscard]] EditorOptions editorOptions() const;
    void openEditor(PopoverKind kind, const EditorContext& context, const QRect& anchor);
    void applyPhoto(const QByteArray& data);
    void showLineMenu(const QPoint& position);
    void fillAddMenu();
    [[nodiscard]] QRect lineRect(int line) const;
    [[nodiscard]] int currentLine() const;

    UndoRegistry& m_registry;
    std::function<bool()> m_canEdit;
    ContactEntryPtr m_contact;
    QList<CardField> m_lines;
    bool m_editEnabled = false;
    QLabel* m_photo;
    QLabel* m_name;
    QLabel* m_subtitle;
    QPushButton* m_editName;
    QPushButton* m_choosePhoto;
    QPushButton* m_removePhoto;
    QToolButton* m_add;
    QTreeWidget* m_list;
};

} // namespace Quillary::Ui
