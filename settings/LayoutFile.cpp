#include "settings/LayoutFile.h"

#include <algorithm>
#include <vector>

#include "hw/Cmos.h"
#include "settings/Catalogue.h"

namespace settings {

namespace {

// The bits of a field: its first bit counted from bit 0 of byte 00h, and how many.
struct Bits {
    unsigned start;
    unsigned length;
};

Bits BitsOf(const Field& field) {
    unsigned length = 0;
    for (unsigned mask = field.mask; mask & 1; mask >>= 1) ++length;
    return {field.byte * 8u + static_cast<unsigned>(field.shift), length};
}

struct Entry {
    Bits bits;
    char type;          // 'e' an enumeration, 'h' a number shown in hexadecimal
    unsigned enumeration;  // its id; 0 for 'h'
    std::string name;
};

}  // namespace

std::string LayoutText() {
    std::vector<Entry> entries;
    std::vector<const List<Item>*> lists;  // enumeration n is lists[n - 1]
    for (const Setting& s : Catalogue()) {
        // Settings with the same items (the same array) share one enumeration.
        auto same = std::find_if(lists.begin(), lists.end(), [&](const List<Item>* l) { return l->begin() == s.items.begin(); });
        if (same == lists.end()) same = lists.insert(lists.end(), &s.items);
        entries.push_back({BitsOf(s.field), 'e', static_cast<unsigned>(same - lists.begin()) + 1, s.key});
        if (s.irq) entries.push_back({BitsOf(s.irq->field), 'h', 0, std::string(s.key) + "-irq"});
    }
    // In the order of their bits, as a reader of the format lists them.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.bits.start < b.bits.start; });

    std::string text =
        "# The firmware-setup settings of the notebook, one entry per setting, named as the\n"
        "# command line names them; made by `tovika layout`.\n"
        "entries\n"
        "#start-bit length config config-ID name\n";
    for (const Entry& e : entries)
        text += std::to_string(e.bits.start) + " " + std::to_string(e.bits.length) + " " + e.type + " " +
                std::to_string(e.enumeration) + " " + e.name + "\n";
    text += "\nenumerations\n#ID value text\n";
    for (std::size_t id = 1; id <= lists.size(); ++id)
        for (const Item& item : *lists[id - 1])
            text += std::to_string(id) + " " + std::to_string(item.code) + " " + item.name + "\n";
    // The standard checksum: the sum of 10h-2Dh, high byte at 2Eh.
    using hw::cmos::kChecksumFirst, hw::cmos::kChecksumHigh;
    text += "\nchecksums\n#first-bit last-bit checksum-bit\nchecksum " + std::to_string(kChecksumFirst * 8) + " " +
            std::to_string(kChecksumHigh * 8 - 1) + " " + std::to_string(kChecksumHigh * 8) + "\n";
    return text;
}

}  // namespace settings
