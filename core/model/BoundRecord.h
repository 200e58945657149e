#pragma once

#include <QtGlobal>

#include <memory>

namespace Quillary {

namespace AddressBook {
class Person;
}

/// The record of the user's own address book that a contact is bound to, and which of the contact's
/// parts have been read from it since it last changed. One pointer in the contact: most contacts,
/// every one read from a file, have no record. A copy is bound to the same record and has read what
/// the original has.
class BoundRecord
{
public:
    BoundRecord() = default;
    /// Bound to a record (or to none) of which nothing has been read.
    explicit BoundRecord(std::shared_ptr<AddressBook::Person> record)
        : m_state(record ? std::make_unique<State>(State{std::move(record)}) : nullptr)
    { }
    BoundRecord(const BoundRecord& other) : m_state(other.m_state ? std::make_unique<State>(*other.m_state) : nullptr) { }
    BoundRecord(BoundRecord&&) noexcept = default;
    BoundRecord& operator=(const BoundRecord& other)
    {
        if (this != &other)
            m_state = other.m_state ? std::make_unique<State>(*other.m_state) : nullptr;
        return *this;
    }
    BoundRecord& operator=(BoundRecord&&) noexcept = default;
    ~BoundRecord() = default;

    BoundRecord& operator=(std::shared_ptr<AddressBook::Person> record)
    {
        return *this = BoundRecord(std::move(record));
    }
    void reset() { m_state.reset(); }

    explicit operator bool() const { return m_state != nullptr; }
    [[nodiscard]] AddressBook::Person* get() const { return m_state ? m_state->record.get() : nullptr; }
    AddressBook::Person* operator->() const { return m_state->record.get(); }
    AddressBook::Person& operator*() const { return *m_state->record; }
    [[nodiscard]] const std::shared_ptr<AddressBook::Person>& pointer() const
    {
        static const std::shared_ptr<AddressBook::Person> none;
        return m_state ? m_state->record : none;
    }

    /// Whether a part (a bit) still has to be read from the record, counting it read from then on.
    [[nodiscard]] bool needsRead(quint32 part) const;
    /// Counts every part read from the record as it stands.
    void markAllRead() const;
    /// Counts nothing read: every part reads the record again.
    void forgetReads() const
    {
        if (m_state)
            m_state->readParts = 0;
    }

private:
    struct State
    {
        std::shared_ptr<AddressBook::Person> record;
        quint64 readChangeCount = ~quint64(0); ///< the record's change count when last read
        quint32 readParts = 0; ///< the parts read at that change count
    };
    std::unique_ptr<State> m_state;
};

} // namespace Quillary
