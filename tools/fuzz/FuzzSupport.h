#pragma once

// What every libFuzzer target of Quillary shares: quiet logging, and the input as Qt bytes.

#include <QByteArray>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

namespace Quillary::Fuzz {

/// Called at the start of every input: the first call silences the logs that malformed input makes
/// the readers write (millions of inputs would flood the terminal).
inline void setUp()
{
    [[maybe_unused]] static const bool once = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
}

/// The input without a copy; it lives as long as the call of LLVMFuzzerTestOneInput.
inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace Quillary::Fuzz
