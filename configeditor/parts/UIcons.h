// The editor's own small images, drawn at run time: one icon per fixed tree node,
// one shared by the file nodes, and the images of the panes' image buttons.
#pragma once

#include <QIcon>

namespace quennet {

// Position 0 (root) to 7 (Install Files) as the tree orders its fixed nodes.
QIcon TreeNodeIcon(int position);
QIcon FileNodeIcon();

enum class TButtonImage { Add, Delete, Copy, Compare, Edit, Help, Open, Up, Down };
QIcon ButtonImage(TButtonImage image);

}  // namespace quennet
