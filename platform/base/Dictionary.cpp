#include "platform/base/Dictionary.h"

namespace qor {

// Most dictionaries hold a handful of entries: comparing beats lower-casing
// the key for the index.
int Dictionary::IndexOf(const QString& key) const {
    constexpr size_t kScanned = 8;
    if (entries_.size() <= kScanned) {
        for (size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].first.compare(key, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        return -1;
    }
    return index_.value(key.toLower(), -1);
}

void Dictionary::Set(const QString& key, const QVariant& value) {
    ++version_;
    const int i = IndexOf(key);
    if (i >= 0) {
        entries_[static_cast<size_t>(i)].second = value;
        return;
    }
    index_.insert(key.toLower(), static_cast<int>(entries_.size()));
    entries_.emplace_back(key, value);
}

bool Dictionary::Exists(const QString& key) const { return IndexOf(key) >= 0; }

QVariant Dictionary::Item(const QString& key) const {
    const int i = IndexOf(key);
    return i >= 0 ? entries_[static_cast<size_t>(i)].second : QVariant();
}

QVariant Dictionary::GetValue(const QString& key, const QVariant& defaultValue) const {
    const int i = IndexOf(key);
    return i >= 0 ? entries_[static_cast<size_t>(i)].second : defaultValue;
}

bool Dictionary::Remove(const QString& key) {
    const int i = IndexOf(key);
    if (i < 0) return false;
    ++version_;
    entries_.erase(entries_.begin() + i);
    index_.clear();
    for (size_t k = 0; k < entries_.size(); ++k) index_.insert(entries_[k].first.toLower(), static_cast<int>(k));
    return true;
}

QStringList Dictionary::Keys() const {
    QStringList keys;
    keys.reserve(Count());
    for (const auto& e : entries_) keys.append(e.first);
    return keys;
}

}  // namespace qor
