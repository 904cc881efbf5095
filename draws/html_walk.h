#pragma once
// Walking a libxml2 tree in document order without recursion (parent, child and sibling
// links), so that no depth of nesting can exhaust the stack. The HTML readers of the
// announcement page and of copied result tables share it.

#include <libxml/tree.h>

namespace sanxing {

// `enter(node)` says whether to go into the node's children; `leave(node)` runs when a
// node that was entered is done; the walk ends early once `stop()` is true.
template <typename Enter, typename Leave, typename Stop>
void WalkHtmlTree(xmlNode* root, Enter enter, Leave leave, Stop stop) {
    xmlNode* node = root;
    while (node != nullptr && !stop()) {
        const bool opened = enter(node);
        if (opened && node->children != nullptr) {
            node = node->children;
            continue;
        }
        if (opened) leave(node);
        // Done with this subtree: close it and every ancestor that has no next sibling.
        while (node != root && node->next == nullptr) {
            node = node->parent;
            leave(node);
        }
        node = node == root ? nullptr : node->next;
    }
}

}  // namespace sanxing
