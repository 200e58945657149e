#include "ReadAheads.h"

namespace Quillary::Ui {

ReadAheads::~ReadAheads()
{
    // The task goes first: it waits for its work, which fills the document.
    for (auto& [path, reading] : m_readings)
        delete reading.task;
}

void ReadAheads::start(const QString& path)
{
    if (m_readings.count(path) || ContactDocument::typeForPath(path) != ContactDocument::Type::VCard
        || !ContactDocument::wantsBackgroundRead(path))
        return;
    auto document = std::make_unique<ContactDocument>();
    DocumentTask* task = document->startRead(path, "auto");
    m_readings.emplace(path, Reading{std::move(document), task});
}

void ReadAheads::takeFrom(ReadAheads& other, const QString& path)
{
    if (m_readings.count(path))
        return;
    if (std::optional<Reading> reading = other.take(path))
        m_readings.emplace(path, std::move(*reading));
    else
        start(path);
}

std::optional<ReadAheads::Reading> ReadAheads::take(const QString& path)
{
    const auto found = m_readings.find(path);
    if (found == m_readings.end())
        return std::nullopt;
    Reading reading = std::move(found->second);
    m_readings.erase(found);
    return reading;
}

} // namespace Quillary::Ui
