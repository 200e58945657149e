#include "FieldEditors.h"

#include "AddressEditor.h"
#include "DateEditor.h"
#include "InstantMessageEditor.h"
#include "MultiValueEditor.h"
#include "NameEditor.h"
#include "PhoneticNameEditor.h"
#include "ValueEditor.h"

namespace Quillary::Ui::FieldEditors {

namespace {

EditorDialog* create(PopoverKind kind, const EditorContext& context, const EditorOptions& options, QWidget* parent)
{
    switch (kind) {
    case PopoverKind::Address:
        return new AddressEditor(context, options, parent);
    case PopoverKind::InstantMessage:
        return new InstantMessageEditor(context, options, parent);
    case PopoverKind::Date:
        return new DateEditor(context, options, parent);
    case PopoverKind::PhoneticName:
        return new PhoneticNameEditor(context, options, parent);
    case PopoverKind::MultiValue:
        return new MultiValueEditor(context, options, parent);
    case PopoverKind::Name:
        return new NameEditor(context, options, parent);
    case PopoverKind::Value:
        return new ValueEditor(context, options, parent);
    case PopoverKind::ContactInfo:
        break;
    }
    return nullptr;
}

} // namespace

EditorDialog* open(PopoverKind kind, const EditorContext& context, const EditorOptions& options, QWidget* parent,
                   const QRect& anchor, std::function<void(const EditorContext&)> closed)
{
    if (!context.contact || !context.contact->person)
        return nullptr;
    EditorDialog* editor = create(kind, context, options, parent);
    if (!editor)
        return nullptr;
    QObject::connect(editor, &EditorDialog::editorClosed, editor, std::move(closed));
    editor->openBeside(anchor);
    return editor;
}

} // namespace Quillary::Ui::FieldEditors
