// The CMOS setup bytes: how a byte value becomes the choice of a setting and the choices
// become bits again, the rule that keeps the serial and infrared ports apart, and the order
// in which the loader reads and the update writes the bytes. Pure functions of byte values:
// nothing here touches a port. Where each setting lives is in its catalogue row.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "hw/Cmos.h"
#include "settings/Catalogue.h"

namespace settings {

// CMOS bytes by index; in a load, the bytes not read stay 0.
using CmosBytes = hw::CmosImage;

// The choice of each setting: the item index of a radio group or drop-down list (-1 for no
// choice), 1 or 0 for a checked or unchecked check box.
class Choices {
public:
    Choices();  // every setting without a choice

    // Takes the choice as it is: no other setting changes.
    void SetAlone(const Setting& setting, int index) { index_[PlaceOf(setting)] = index; }

    // Takes a choice as the window's control takes it: a radio group that changes to an item
    // runs its click handler, so a serial or infrared port moves the other port off its
    // address (KeepPortsApart).
    void SelectWithPortRule(const Setting& setting, int index);

    int operator[](const Setting& setting) const { return index_[PlaceOf(setting)]; }

    bool operator==(const Choices&) const = default;

private:
    std::vector<int> index_;  // by the setting's place in the catalogue
};

// The settings whose choices differ, in catalogue order.
std::vector<const Setting*> Differences(const Choices& a, const Choices& b);

// A time-out in minutes (0 disabled, 1, 2, 5, 10, 15, 30) and the item of the time-out
// drop-down lists that shows it; -1 for any other byte.
int TimeoutToIndex(std::uint8_t minutes);
// The inverse on the seven items; any other index, -1 included, gives 0 (disabled).
std::uint8_t IndexToTimeout(int index);

// The serial and the infrared port never share an address: the port that shares the
// addresses of `setting` (its row's partner; nullptr for a setting without one), and the
// item that the other port moves to when `setting` takes item `changed` — its own item when
// it need not move. "OFF" (the item of address 0) or no choice never moves anything. The
// items' addresses come from the row.
const Setting* PortPartner(const Setting& setting);
int KeepPortsApart(const Setting& setting, int changed, int other);

// The value of a field in the bytes.
unsigned FieldValue(const Field& field, const CmosBytes& cmos);

// The choice that a setting shows for the bytes read.
int Decode(const Setting& setting, const CmosBytes& cmos);

// Every setup byte composed wholly from the choices, the other bytes 0; the bits that no
// field uses are 0. The catalogue's composed-byte rules are applied: the infrared IRQ
// already follows the rule that keeps it off the serial port's IRQ 3.
CmosBytes ComposeAll(const Choices& choices);

// One step of a load: read these bytes in this order, then show the settings whose bytes
// are all in, in catalogue order.
struct LoadStep {
    std::vector<std::uint8_t> reads;
    std::vector<const Setting*> settings;
};
const std::vector<LoadStep>& LoadOrder();

// One write of an update. When `keep` is not 0 the byte is read first and the bits of
// `keep` are written back as they were; the other bits come from ComposeAll.
struct WriteStep {
    std::uint8_t index;
    std::uint8_t keep = 0;
};
const std::vector<WriteStep>& WriteOrder();

}  // namespace settings
