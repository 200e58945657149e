#pragma once

#include "editors/ZipDatabase.h"

#include <QDialog>

#include <functional>

class QListWidget;

namespace Quillary::Ui {

/// The records a postal code matches when it matches more than one (a code's first digits, or a
/// business code several companies share), the first one chosen. It does not block: `chosen`
/// receives the record the user took.
class ZipChoiceDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZipChoiceDialog)

public:
    ZipChoiceDialog(const QList<ZipAddress>& addresses, QWidget* parent);
    ~ZipChoiceDialog() override;

    static ZipChoiceDialog* choose(const QList<ZipAddress>& addresses, QWidget* parent,
                                   std::function<void(const ZipAddress&)> chosen);

    [[nodiscard]] QListWidget* list() const { return m_list; }

private:
    QList<ZipAddress> m_addresses;
    QListWidget* m_list;
};

} // namespace Quillary::Ui
