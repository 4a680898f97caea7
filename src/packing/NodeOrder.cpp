// Node Randomize: a new order of the node collection and of the inner nodes' fans, which
// changes the solver's sweep order and the layout's tie-breaks but not the graph.
#include "model/CPNodeArray.h"

#include <utility>

void CCPNode::RandomRotate(const RandomSource& next) {
    int k = GetEdgeCount();
    // The fan of any other node is open: its first and last neighbours must stay its ends.
    if (m_kind != Inner || k == 0) {
        return;
    }
    RotateToEdge(GetEdge(RandomIndex(next(), k)));
}

void CCPNodeArray::Randomize() {
    Randomize(MakeTimeSeededRandom());
}

void CCPNodeArray::Randomize(const RandomSource& next) {
    int n = GetSize();
    for (int t = 0; t < n; ++t) {
        int i = RandomIndex(next(), n);
        int j = RandomIndex(next(), n);
        std::swap(m_array[i], m_array[j]);
    }
    for (CCPNode* node : m_array) {
        node->RandomRotate(next);
    }
}
