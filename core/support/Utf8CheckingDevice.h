#pragma once

#include "Charset.h"

#include <QIODevice>

namespace Quillary {

/// Reads another device and checks on the way that its bytes are UTF-8, so that a file is checked
/// while it is read instead of in a pass of its own. At the first invalid byte it reads no more: the
/// read that met it fails and the device is at its end.
class Utf8CheckingDevice : public QIODevice
{
public:
    /// `source` must be open for reading; it is read from where it stands.
    explicit Utf8CheckingDevice(QIODevice& source);

    [[nodiscard]] bool isSequential() const override { return true; }
    [[nodiscard]] bool atEnd() const override;
    [[nodiscard]] qint64 bytesAvailable() const override;

    /// True when everything read was UTF-8 and no sequence was left incomplete at the end.
    [[nodiscard]] bool isValid() const { return m_validator.finish(); }
    /// Offset of the first invalid byte from where reading started; -1 when none.
    [[nodiscard]] qsizetype errorOffset() const { return m_validator.errorOffset(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QIODevice& m_source;
    Charset::Utf8Validator m_validator;
    bool m_invalid = false;
};

} // namespace Quillary
