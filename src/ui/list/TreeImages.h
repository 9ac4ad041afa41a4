#pragma once

#include <QIcon>
#include <vector>

namespace qor {

// The tree's image list: 1 a closed folder (groups), 2 an open folder (the
// selected group), 3 an item.
std::vector<QIcon> TreeImages();

}  // namespace qor
