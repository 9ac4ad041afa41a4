#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

namespace qor {

// Map from text keys to values. Keys match without regard to letter case;
// iteration follows insertion order; a key keeps the spelling it was first
// stored with. Shared by reference.
class Dictionary {
public:
    static std::shared_ptr<Dictionary> New() { return std::make_shared<Dictionary>(); }

    // Appends a new key or replaces the value of an existing one.
    void Set(const QString& key, const QVariant& value);
    bool Exists(const QString& key) const;
    // The value, or an invalid QVariant when the key is absent.
    QVariant Item(const QString& key) const;
    QVariant GetValue(const QString& key, const QVariant& defaultValue) const;
    bool Remove(const QString& key);
    int Count() const { return static_cast<int>(entries_.size()); }
    QStringList Keys() const;
    const QString& KeyAt(int index) const { return entries_[static_cast<size_t>(index)].first; }
    const QVariant& ValueAt(int index) const { return entries_[static_cast<size_t>(index)].second; }
    // Changes with every Set and Remove, so readers can tell that what they
    // derived from the dictionary is still current.
    uint64_t Version() const { return version_; }

private:
    int IndexOf(const QString& key) const;

    std::vector<std::pair<QString, QVariant>> entries_;
    QHash<QString, int> index_;  // lower-cased key -> position in entries_
    uint64_t version_ = 0;
};

using DictionaryPtr = std::shared_ptr<Dictionary>;

}  // namespace qor
