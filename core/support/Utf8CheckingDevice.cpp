#include "Utf8CheckingDevice.h"

namespace Quillary {

Utf8CheckingDevice::Utf8CheckingDevice(QIODevice& source) : m_source(source)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool Utf8CheckingDevice::atEnd() const
{
    return m_invalid || m_source.atEnd();
}

qint64 Utf8CheckingDevice::bytesAvailable() const
{
    return m_invalid ? 0 : m_source.bytesAvailable();
}

qint64 Utf8CheckingDevice::readData(char* data, qint64 maxSize)
{
    if (m_invalid)
        return -1;
    const qint64 read = m_source.read(data, maxSize);
    if (read > 0 && !m_validator.feed(QByteArrayView(data, read))) {
        m_invalid = true;
        return -1;
    }
    return read;
}

qint64 Utf8CheckingDevice::writeData(const char*, qint64)
{
    return -1;
}

} // namespace Quillary
