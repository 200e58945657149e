#include "LabeledValueOrder.h"

#include <algorithm>
#include <numeric>

namespace Quillary {

namespace {

// Views, not copies: a reload of the table asks every contact whether its values are in order.
QStringView byStringValue(const LabeledValue& value)
{
    return value.stringValue();
}
QStringView byZip(const LabeledValue& value)
{
    return value.address.zip();
}
QStringView byState(const LabeledValue& value)
{
    return value.address.state();
}
QStringView byCity(const LabeledValue& value)
{
    return value.address.city();
}
QStringView byStreet(const LabeledValue& value)
{
    return value.address.street();
}
QStringView byCountry(const LabeledValue& value)
{
    return value.address.country();
}
QStringView byService(const LabeledValue& value)
{
    return value.service();
}
QStringView byUsername(const LabeledValue& value)
{
    return value.username();
}

QStringView byEmailDomain(const LabeledValue& value)
{
    const qsizetype at = value.value.indexOf(u'@');
    return at < 0 || at == value.value.size() - 1 ? QStringView() : QStringView(value.value).sliced(at + 1);
}

QStringView byEmailUsername(const LabeledValue& value)
{
    const qsizetype at = value.value.indexOf(u'@');
    return at < 0 ? QStringView() : QStringView(value.value).first(at);
}

const LabeledValueOrder orders[] = {
    {"Phone", LabeledField::Phone, 2, byStringValue},
    {"Email", LabeledField::Email, 2, byStringValue},
    {"Email domain", LabeledField::Email, 2, byEmailDomain},
    {"Email username", LabeledField::Email, 2, byEmailUsername},
    {"Address", LabeledField::Address, 2, byStringValue},
    {"ZIP", LabeledField::Address, 2, byZip},
    {"State", LabeledField::Address, 2, byState},
    {"City", LabeledField::Address, 2, byCity},
    {"Street", LabeledField::Address, 2, byStreet},
    {"Country", LabeledField::Address, 2, byCountry},
    {"URL", LabeledField::URL, 2, byStringValue},
    {"Instant Message", LabeledField::InstantMessage, 2, byStringValue},
    {"Instant Message type", LabeledField::InstantMessage, 2, byService},
    {"Instant Message username", LabeledField::InstantMessage, 2, byUsername},
    {"Social Network", LabeledField::SocialNetwork, 1, byStringValue},
    {"Social Network type", LabeledField::SocialNetwork, 1, byService},
    {"Social Network username", LabeledField::SocialNetwork, 1, byUsername},
    {"Dates", LabeledField::Dates, 1, byStringValue},
    {"Relationship", LabeledField::Relationship, 1, byStringValue},
};

/// Lists up to this long are put in order by insertion, which needs no buffer.
constexpr qsizetype InsertionLimit = 16;

} // namespace

const LabeledValueOrder* LabeledValueOrder::forSortKey(QStringView sortKey)
{
    const auto it = std::find_if(std::begin(orders), std::end(orders), [&](const LabeledValueOrder& order) {
        return sortKey == QLatin1StringView(order.key);
    });
    return it == std::end(orders) ? nullptr : it;
}

LabeledValueOrder::Positions LabeledValueOrder::positions(LabeledValueSpan values, bool ascending) const
{
    Positions order(values.size());
    std::iota(order.begin(), order.end(), 0);
    if (values.size() < minimumCount || values.size() < 2)
        return order;
    QVarLengthArray<QStringView, 8> texts;
    texts.reserve(values.size());
    for (const LabeledValue& value : values)
        texts.append(sortText(value));
    const auto before = [&](qsizetype a, qsizetype b) {
        const int compared = texts.at(a).compare(texts.at(b));
        return ascending ? compared < 0 : compared > 0;
    };
    if (values.size() > InsertionLimit) {
        std::stable_sort(order.begin(), order.end(), before);
        return order;
    }
    // Stable: a value moves only past those it strictly comes before.
    for (qsizetype i = 1; i < order.size(); ++i) {
        const qsizetype moving = order[i];
        qsizetype j = i;
        for (; j > 0 && before(moving, order[j - 1]); --j)
            order[j] = order[j - 1];
        order[j] = moving;
    }
    return order;
}

} // namespace Quillary
