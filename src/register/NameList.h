// The category list and the payment-mode list: sorted in French order, no two entries
// equal without regard to case, read from and written to "Rubriques.txt" / "Modes.txt".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ledgora {

class NameList {
public:
    NameList() = default;
    explicit NameList(std::vector<std::string> entries);

    // The 54 built-in categories and the 5 built-in payment modes.
    static NameList builtInCategories();
    static NameList builtInPaymentModes();

    const std::vector<std::string>& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const std::string& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }

    // Index of the entry equal to `text` without regard to case, or -1.
    int find(const std::string& text) const;
    bool contains(const std::string& text) const { return find(text) >= 0; }

    // Adds `text` in sorted position unless it is empty or already there (case ignored);
    // returns its index, or -1 when nothing was added.
    int add(const std::string& text);
    void removeAt(int index);
    void replaceAt(int index, const std::string& text);
    // Sorts again (after replacements).
    void sort();

    // One entry per line. Nothing when the file cannot be read.
    static std::optional<NameList> load(const std::filesystem::path& file);
    // Every entry followed by CR LF, Windows-1252, written atomically.
    bool save(const std::filesystem::path& file) const;

    bool operator==(const NameList&) const = default;

private:
    std::vector<std::string> entries_;
};

} // namespace ledgora
