// The CMOS setup bytes: where every setting lives, how a byte value becomes the choice of
// a control and a choice becomes bits again, and the order in which the loader reads and
// the writer writes the bytes. Pure functions of byte values: nothing here touches a port.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Catalogue.h"

namespace settings {

// The bytes of one load as they were read, by CMOS index; bytes not read stay 0.
using CmosBytes = std::array<std::uint8_t, 128>;

// The choice shown by each setting control: the item index of a radio group or drop-down
// list (-1 for no choice), 1 or 0 for a checked or unchecked check box.
class Choices {
public:
    Choices();  // every setting without a choice

    void Set(const Setting& setting, int index);
    // Throws std::invalid_argument for a control that is no setting of the catalogue.
    void Set(std::string_view control, int index);

    // -1 for a setting never set.
    int operator[](const Setting& setting) const;
    int operator[](std::string_view control) const;

private:
    std::size_t Place(const Setting& setting) const {
        return static_cast<std::size_t>(&setting - catalogue_);
    }
    const Setting* catalogue_;  // its first entry
    std::vector<int> index_;    // by the setting's place in the catalogue
};

// A time-out in minutes (0 disabled, 1, 2, 5, 10, 15, 30) and the item of the time-out
// drop-down lists that shows it; -1 for any other byte.
int TimeoutToIndex(std::uint8_t minutes);
// The inverse on the seven items; any other index, -1 included, gives 0 (disabled).
std::uint8_t IndexToTimeout(int index);

// One setting's bits: the field value sits at `shift` in byte `byte` under `mask` (taken
// after shifting). A mask above FFh spans two bytes, the low one at `byte`: a port address.
struct Field {
    std::string control;
    std::uint8_t byte;
    int shift;
    unsigned mask;
    std::vector<unsigned> codes;  // the field value of item i
    unsigned noChoice;            // written for no choice (or an item past the codes)
    int unknown = -1;             // the item shown for a value that is no code
    bool loaded = true;           // false: written only, derived from the control's address
    const Setting* setting = nullptr;  // the catalogue's entry of `control`, filled in once
};

// Every field of the setup bytes, the IRQs that follow the port addresses included.
const std::vector<Field>& SetupFields();

// The field that a control is loaded from; throws std::invalid_argument for a control that
// has none.
const Field& LoadedField(std::string_view control);

// The choice that a control shows for the bytes read.
int Decode(const Field& field, const CmosBytes& cmos);
int Decode(std::string_view control, const CmosBytes& cmos);

// The setup byte at `index` composed wholly from the choices; the bits that no field uses
// are 0. For 69h the infrared IRQ already follows the rule that keeps it off the serial
// port's IRQ 3.
std::uint8_t Compose(std::uint8_t index, const Choices& choices);
// Every setup byte at once, as Compose gives each (the other bytes 0): what an update writes.
CmosBytes ComposeAll(const Choices& choices);

// One step of a load: read these bytes in this order, then set these controls from them
// in this order.
struct LoadStep {
    std::vector<std::uint8_t> reads;
    std::vector<const char*> controls;
};
const std::vector<LoadStep>& LoadOrder();

// One write of an update. When `keep` is not 0 the byte is read first and the bits of
// `keep` are written back as they were; the other bits come from Compose.
struct WriteStep {
    std::uint8_t index;
    std::uint8_t keep = 0;
};
const std::vector<WriteStep>& WriteOrder();

}  // namespace settings
