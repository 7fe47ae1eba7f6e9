// The column rule of Quennet's lists: a column is its designed width, or as wide as its
// widest text needs when that is more, so that no key or label is cut.
#pragma once

namespace platform {
class StringGrid;
}

namespace quennet {

// Column `col` of `grid` at least `leastWidth` px and as wide as its texts need.
void FitColumn(platform::StringGrid& grid, int col, int leastWidth);

}  // namespace quennet
