// The layout: the first two circles, the passes that place every further circle from two
// placed neighbours, and moving the nodes onto the circle centres.
#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "packing/DiskPlacement.h"

#include <cmath>
#include <functional>
#include <queue>
#include <unordered_map>
#include <vector>

namespace {

CDiskCircle PlacedCircle(const CCPCircle& circle) {
    return {circle.m_diskCentre, circle.m_euclidCentre, circle.m_euclidRadius};
}

void Store(CCPNode& node, const CDiskCircle& placed, long double order) {
    node.m_circle->m_diskCentre = placed.diskCentre;
    node.m_circle->m_euclidCentre = placed.euclidCentre;
    node.m_circle->m_euclidRadius = placed.euclidRadius;
    node.m_placed = 1;
    node.m_order = order;
}

} // namespace

bool CCPNode::FindPlacedPair(CCPNode*& a, CCPNode*& b) const {
    int k = GetEdgeCount();
    int pairs = m_kind == Inner ? k : k - 1;
    bool found = false;
    long double best = 0;
    for (int i = 0; i < pairs; ++i) {
        CCPNode* first = GetNeighbour(i);
        CCPNode* second = GetNeighbour((i + 1) % k);
        if (!first || !second || first == second || !first->m_placed || !second->m_placed) {
            continue;
        }
        long double sum = first->m_order + second->m_order;
        if (!found || sum < best) {
            found = true;
            best = sum;
            a = first;
            b = second;
        }
    }
    return found;
}

bool CCPNode::Place() {
    if (m_placed) {
        return true;
    }
    CCPNode* a = nullptr;
    CCPNode* b = nullptr;
    if (!m_circle || !FindPlacedPair(a, b)) {
        return false;
    }
    CDiskCircle placed =
        PlaceFromPair(PlacedCircle(*a->m_circle), a->m_circle->m_radius, PlacedCircle(*b->m_circle),
                      b->m_circle->m_radius, m_circle->m_radius);
    Store(*this, placed, a->m_order + b->m_order);
    return true;
}

CCPNode* CCPNode::FindUpNeighbour() const {
    CCPNode* best = nullptr;
    double bestOffset = 0.0;
    for (int i = 0; i < GetEdgeCount(); ++i) {
        CCPNode* n = GetNeighbour(i);
        if (!n || n->y < y) {
            continue;
        }
        double offset = std::fabs(n->x - x);
        if (!best || offset < bestOffset) {
            best = n;
            bestOffset = offset;
        }
    }
    return best ? best : GetNeighbour(0);
}

void CCPNodeArray::ClearPlaced() {
    for (CCPNode* node : m_array) {
        node->m_placed = 0;
    }
}

CCPNode* CCPNodeArray::FindStartNode() const {
    CCPNode* best = nullptr;
    double bestDistance = 0.0;
    for (CCPNode* node : m_array) {
        if (node->m_kind != Inner || !node->m_circle) {
            continue;
        }
        double distance = node->Abs();
        if (!best || distance < bestDistance) {
            best = node;
            bestDistance = distance;
        }
    }
    return best;
}

// Every pass calls Place on the nodes in collection order until a pass ends with every node
// placed or places nothing new. A node's Place can only change its answer after one of its
// neighbours has been placed, so the passes are run on exactly those nodes: a neighbour
// placed later in the collection than the node retries it in the same pass, an earlier one in
// the next pass. The placements, and so every pair chosen, are those of full passes, without
// revisiting every node on every pass.
int CCPNodeArray::Layout() {
    CCPNode* start = FindStartNode();
    if (!start) {
        return 0;
    }
    ClearPlaced();
    Store(*start, PlaceAtCentre(start->m_circle->m_radius), 0);
    CCPNode* up = start->FindUpNeighbour();
    if (up && up != start && up->m_circle) {
        Store(*up, PlaceAlongY(start->m_circle->m_radius, up->m_circle->m_radius), 1);
    }

    int n = GetSize();
    std::unordered_map<const CCPNode*, int> position;
    position.reserve(n);
    for (int i = 0; i < n; ++i) {
        position.emplace(m_array[i], i);
    }
    std::priority_queue<int, std::vector<int>, std::greater<>> thisPass;
    std::vector<char> queuedThis(n, 1);
    std::vector<char> queuedNext(n, 0);
    std::vector<int> nextPass;
    for (int i = 0; i < n; ++i) {
        thisPass.push(i);
    }
    int unplaced = 0;
    for (CCPNode* node : m_array) {
        unplaced += node->m_placed ? 0 : 1;
    }

    int passes = 0;
    for (;;) {
        ++passes;
        int placedInPass = 0;
        while (!thisPass.empty()) {
            int i = thisPass.top();
            thisPass.pop();
            queuedThis[i] = 0;
            CCPNode* node = m_array[i];
            if (node->m_placed || !node->Place()) {
                continue;
            }
            ++placedInPass;
            --unplaced;
            for (int e = 0; e < node->GetEdgeCount(); ++e) {
                CCPNode* neighbour = node->GetNeighbour(e);
                auto found = neighbour ? position.find(neighbour) : position.end();
                if (found == position.end() || neighbour->m_placed) {
                    continue;
                }
                int j = found->second;
                if (j > i && !queuedThis[j]) {
                    queuedThis[j] = 1;
                    thisPass.push(j);
                } else if (j < i && !queuedNext[j]) {
                    queuedNext[j] = 1;
                    nextPass.push_back(j);
                }
            }
        }
        if (unplaced == 0 || placedInPass == 0) {
            return passes;
        }
        if (nextPass.empty()) {
            // A full pass would still run once, find nothing to place, and stop.
            return passes + 1;
        }
        for (int j : nextPass) {
            queuedNext[j] = 0;
            queuedThis[j] = 1;
            thisPass.push(j);
        }
        nextPass.clear();
    }
}

void CCPNodeArray::ApplyLayout(double scale) {
    for (CCPNode* node : m_array) {
        if (node->m_circle) {
            node->Set(node->m_circle->m_euclidCentre * scale);
        }
    }
}
