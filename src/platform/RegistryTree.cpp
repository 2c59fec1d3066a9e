#include "platform/RegistryTree.h"

#include "platform/Cp1252.h"
#include "platform/TextCase.h"

#include <utility>

namespace platform {

// A key holds its own name only, so a deep key costs its name, not its whole path. Depth
// is bounded by kMaxDepth, which bounds every recursion below.
struct RegistryTree::Node {
    std::string name; // as first written
    Values values;
    std::map<std::string, std::unique_ptr<Node>> children; // by folded name

    std::unique_ptr<Node> clone() const {
        auto copy = std::make_unique<Node>();
        copy->name = name;
        copy->values = values;
        for (const auto& [folded, child] : children) {
            copy->children.emplace(folded, child->clone());
        }
        return copy;
    }
};

namespace {

// Calls `part` with each "\"-separated name of a normalised path; stops when it answers false.
template <typename F> bool forEachName(std::string_view path, F&& part) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t sep = path.find('\\', start);
        const std::size_t end = sep == std::string_view::npos ? path.size() : sep;
        if (!part(path.substr(start, end - start))) {
            return false;
        }
        if (sep == std::string_view::npos) {
            break;
        }
        start = sep + 1;
    }
    return true;
}

} // namespace

RegistryTree::RegistryTree() : root_(std::make_unique<Node>()) {}
RegistryTree::~RegistryTree() = default;
RegistryTree::RegistryTree(const RegistryTree& other) : root_(other.root_->clone()) {}
RegistryTree& RegistryTree::operator=(const RegistryTree& other) {
    if (this != &other) {
        root_ = other.root_->clone();
    }
    return *this;
}
RegistryTree::RegistryTree(RegistryTree&& other) noexcept : root_(std::move(other.root_)) {
    other.root_ = std::make_unique<Node>();
}
RegistryTree& RegistryTree::operator=(RegistryTree&& other) noexcept {
    std::swap(root_, other.root_);
    return *this;
}

std::string RegistryTree::normalise(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) {
            continue;
        }
        out.push_back(c);
    }
    while (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    return out;
}

bool RegistryTree::isValidKeyPath(std::string_view normalisedPath) {
    if (normalisedPath.empty()) {
        return false;
    }
    std::size_t depth = 0;
    return forEachName(normalisedPath, [&](std::string_view name) {
        return ++depth <= kMaxDepth && !name.empty() && characterCount(name) <= kMaxKeyNameLength &&
               !hasControlCharacter(name) && fitsCp1252(name);
    });
}

bool RegistryTree::isValidValueName(std::string_view name) {
    return !hasControlCharacter(name) && fitsCp1252(name);
}

const RegistryTree::Node* RegistryTree::find(std::string_view path) const {
    const std::string p = normalise(path);
    const Node* node = root_.get();
    if (p.empty()) {
        return node;
    }
    forEachName(p, [&](std::string_view name) {
        const auto it = node->children.find(foldCase(name));
        node = it == node->children.end() ? nullptr : it->second.get();
        return node != nullptr;
    });
    return node;
}

RegistryTree::Node* RegistryTree::find(std::string_view path) {
    return const_cast<Node*>(std::as_const(*this).find(path));
}

bool RegistryTree::empty() const {
    return root_->children.empty();
}

bool RegistryTree::keyExists(std::string_view path) const {
    return !normalise(path).empty() && find(path) != nullptr;
}

bool RegistryTree::createKey(std::string_view path) {
    const std::string p = normalise(path);
    if (!isValidKeyPath(p)) {
        return false;
    }
    Node* node = root_.get();
    forEachName(p, [&](std::string_view name) {
        auto [it, inserted] = node->children.try_emplace(foldCase(name));
        if (inserted) {
            it->second = std::make_unique<Node>();
            it->second->name = std::string(name);
        }
        node = it->second.get();
        return true;
    });
    return true;
}

bool RegistryTree::eraseKey(std::string_view path) {
    const std::string p = normalise(path);
    if (p.empty()) {
        return false;
    }
    const std::size_t sep = p.rfind('\\');
    Node* parent = sep == std::string::npos ? root_.get() : find(p.substr(0, sep));
    const std::string_view last =
        sep == std::string::npos ? std::string_view(p) : std::string_view(p).substr(sep + 1);
    return parent != nullptr && parent->children.erase(foldCase(last)) != 0;
}

const RegistryValue* RegistryTree::value(std::string_view path, std::string_view name) const {
    const Node* node = normalise(path).empty() ? nullptr : find(path);
    if (node == nullptr) {
        return nullptr;
    }
    for (const auto& [n, v] : node->values) {
        if (equalsIgnoreCase(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

bool RegistryTree::setValue(std::string_view path, std::string_view name, RegistryValue value) {
    if (!isValidValueName(name) || !createKey(path)) {
        return false;
    }
    Node* node = find(path);
    for (auto& [n, v] : node->values) {
        if (equalsIgnoreCase(n, name)) {
            v = std::move(value);
            return true;
        }
    }
    node->values.emplace_back(std::string(name), std::move(value));
    return true;
}

bool RegistryTree::eraseValue(std::string_view path, std::string_view name) {
    Node* node = normalise(path).empty() ? nullptr : find(path);
    if (node == nullptr) {
        return false;
    }
    auto& values = node->values;
    for (auto v = values.begin(); v != values.end(); ++v) {
        if (equalsIgnoreCase(v->first, name)) {
            values.erase(v);
            return true;
        }
    }
    return false;
}

std::vector<std::string> RegistryTree::subKeys(std::string_view path) const {
    std::vector<std::string> names;
    if (const Node* node = find(path)) {
        for (const auto& entry : node->children) {
            names.push_back(entry.second->name);
        }
    }
    return names;
}

std::vector<std::string> RegistryTree::valueNames(std::string_view path) const {
    std::vector<std::string> names;
    const Node* node = normalise(path).empty() ? nullptr : find(path);
    if (node != nullptr) {
        for (const auto& entry : node->values) {
            names.push_back(entry.first);
        }
    }
    return names;
}

void RegistryTree::forEachKey(std::string_view path,
                              const std::function<void(const KeyView&)>& visit) const {
    const std::string p = normalise(path);
    const Node* start = find(p);
    if (start == nullptr) {
        return;
    }
    // The path as first written: each key's own spelling, not the caller's.
    std::string spelled;
    if (!p.empty()) {
        const Node* node = root_.get();
        forEachName(p, [&](std::string_view name) {
            node = node->children.find(foldCase(name))->second.get();
            spelled += spelled.empty() ? "" : "\\";
            spelled += node->name;
            return true;
        });
        visit(KeyView{spelled, start->values, !start->children.empty()});
    }
    struct Frame {
        const Node* node;
        std::map<std::string, std::unique_ptr<Node>>::const_iterator next;
        std::size_t pathLength;
    };
    std::vector<Frame> stack{{start, start->children.begin(), spelled.size()}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.node->children.end()) {
            stack.pop_back();
            continue;
        }
        const Node* child = top.next->second.get();
        ++top.next;
        spelled.resize(top.pathLength);
        if (!spelled.empty()) {
            spelled.push_back('\\');
        }
        spelled += child->name;
        visit(KeyView{spelled, child->values, !child->children.empty()});
        stack.push_back({child, child->children.begin(), spelled.size()});
    }
}

} // namespace platform
