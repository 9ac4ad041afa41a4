#pragma once

#include <QStringList>
#include <vector>

namespace qor::db {

// A product family of the demo company: an item group of the second level,
// the names of the items made in it and the models they come in.
struct ProductFamily {
    QString name;
    QString unit;
    QStringList parts;
    QStringList models;
};

// Names the demo company is built from.
const QStringList& TopGroupNames();
const std::vector<ProductFamily>& ProductFamilies();
// Prefixes that turn a family into a group of the third level (单相 + 电机).
const QStringList& FamilyVariants();
const QStringList& CustomerNames();
const QStringList& StockNames();
const QStringList& BomNotes();

}  // namespace qor::db
