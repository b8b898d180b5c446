// The catalogue as a CMOS layout file in the text format of coreboot's nvramtool, so that a
// tool outside this program can name the notebook's settings: the sections `entries`,
// `enumerations` and `checksums`.
#pragma once

#include <string>

namespace settings {

// Every setting is an entry named by its key, counted in bits from bit 0 of byte 00h; an
// enumeration's values are the items' codes, its texts the items' names (settings with the
// same items share one). A port address is a 16-bit entry, and the IRQ written with it an
// entry of its own (`KEY-irq`, shown in hexadecimal). The checksum line covers the standard
// checksum of 10h-2Dh, kept at 2Eh/2Fh.
std::string LayoutText();

}  // namespace settings
