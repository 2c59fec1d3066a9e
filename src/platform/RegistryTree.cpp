#include "platform/RegistryTree.h"

#include "platform/TextCase.h"

namespace platform {

// Map keys are folded paths with "\" replaced by \x01, which sorts below every printable
// character: a key's descendants then follow it directly, before any sibling.
std::string RegistryTree::mapKey(std::string_view normalisedPath) {
    std::string k = foldCase(normalisedPath);
    for (char& c : k) {
        if (c == '\\') {
            c = '\x01';
        }
    }
    return k;
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

bool RegistryTree::keyExists(std::string_view path) const {
    const std::string p = normalise(path);
    return !p.empty() && keys_.count(mapKey(p)) != 0;
}

RegistryTree::Key& RegistryTree::createKey(std::string_view path) {
    const std::string p = normalise(path);
    std::size_t pos = 0;
    Key* key = nullptr;
    for (;;) {
        const std::size_t sep = p.find('\\', pos);
        const std::string prefix = p.substr(0, sep);
        auto [it, inserted] = keys_.try_emplace(mapKey(prefix));
        if (inserted) {
            it->second.path = prefix;
        }
        key = &it->second;
        if (sep == std::string::npos) {
            break;
        }
        pos = sep + 1;
    }
    return *key;
}

bool RegistryTree::eraseKey(std::string_view path) {
    const std::string p = normalise(path);
    if (p.empty()) {
        return false;
    }
    const std::string k = mapKey(p);
    auto first = keys_.find(k);
    if (first == keys_.end()) {
        return false;
    }
    const auto last = keys_.lower_bound(k + '\x02');
    keys_.erase(first, last);
    return true;
}

const RegistryValue* RegistryTree::value(std::string_view path, std::string_view name) const {
    const auto it = keys_.find(mapKey(normalise(path)));
    if (it == keys_.end()) {
        return nullptr;
    }
    for (const auto& [n, v] : it->second.values) {
        if (equalsIgnoreCase(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

void RegistryTree::setValue(std::string_view path, std::string_view name, RegistryValue value) {
    Key& key = createKey(path);
    for (auto& [n, v] : key.values) {
        if (equalsIgnoreCase(n, name)) {
            v = std::move(value);
            return;
        }
    }
    key.values.emplace_back(std::string(name), std::move(value));
}

bool RegistryTree::eraseValue(std::string_view path, std::string_view name) {
    const auto it = keys_.find(mapKey(normalise(path)));
    if (it == keys_.end()) {
        return false;
    }
    auto& values = it->second.values;
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
    const std::string p = normalise(path);
    const std::string prefix = p.empty() ? std::string() : mapKey(p) + '\x01';
    const std::size_t skip = p.empty() ? 0 : p.size() + 1;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) {
            break;
        }
        if (it->first.find('\x01', prefix.size()) == std::string::npos) {
            names.push_back(it->second.path.substr(skip));
        }
    }
    return names;
}

std::vector<std::string> RegistryTree::valueNames(std::string_view path) const {
    std::vector<std::string> names;
    const auto it = keys_.find(mapKey(normalise(path)));
    if (it != keys_.end()) {
        for (const auto& entry : it->second.values) {
            names.push_back(entry.first);
        }
    }
    return names;
}

void RegistryTree::forEachKey(std::string_view path,
                              const std::function<void(const Key&)>& visit) const {
    const std::string p = normalise(path);
    if (p.empty()) {
        for (const auto& entry : keys_) {
            visit(entry.second);
        }
        return;
    }
    const std::string k = mapKey(p);
    const auto last = keys_.lower_bound(k + '\x02');
    for (auto it = keys_.find(k); it != keys_.end() && it != last; ++it) {
        visit(it->second);
    }
}

} // namespace platform
