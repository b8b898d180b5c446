#!/usr/bin/env bash
# Every instruction in the code of the Windows executables is one that the Pentium (P5)
# executes: no CMOVcc, FCMOVcc, FCOMI/FUCOMI, multi-byte or hint NOPs (ENDBR among them),
# SYSENTER, RDPMC, MMX, SSE or anything later, in our own code or in the runtime's.
#   check_pentium.sh OBJDUMP EXE MAP [EXE MAP]...
# The linker map tells which bytes of .text are code and which object each came from; every
# byte of .text must be named there. MinGW's linker script also puts data into .text (the
# constructor and destructor lists, the exception tables); those input sections, and the
# linker's fill between sections, are not read as instructions. The check looks at the
# bytes, not at the disassembler's names: after the prefixes, a two-byte opcode (0F xx) must be
# one that the Pentium has (which rules out MMX, SSE and the three-byte maps), and the x87
# escapes must not be the conditional moves, the comparisons that set EFLAGS or FISTTP.
set -euo pipefail
objdump=$1
shift
[ $(($# % 2)) -eq 0 ] && [ $# -gt 0 ] || { echo "usage: check_pentium.sh OBJDUMP EXE MAP [EXE MAP]..." >&2; exit 2; }

status=0
while [ $# -gt 0 ]; do
  exe=$1 map=$2
  shift 2
  # All code is in .text: a section of code by another name would go unchecked.
  others=$("$objdump" -h "$exe" | awk '/^ *[0-9]+ / {name = $2} /CODE/ && name != ".text" {print name}')
  if [ -n "$others" ]; then
    echo "FAIL: $(basename "$exe") has code outside .text, not checked: $others"
    status=1
  fi
  # The input sections of the output section .text: start, end, code or data, object.
  ranges=$(awk '
    function hex(s,   i, n, c) {
      s = tolower(s); sub(/^ *0x/, "", s); gsub(/[^0-9a-f]/, "", s); n = 0
      for (i = 1; i <= length(s); i++) { c = index("0123456789abcdef", substr(s, i, 1)); n = n * 16 + c - 1 }
      return n
    }
    function range(addr, size, kind, file) {
      if (hex(size) > 0) printf "%d %d %s %s\n", hex(addr), hex(addr) + hex(size), kind, file
    }
    function emit(name, addr, size, file,   kind) {
      kind = (name ~ /^\.(text|init|fini)([.$]|$)/ || name ~ /^\.gnu\.linkonce\.t\./) ? "code" : "data"
      n = split(file, parts, "/")
      range(addr, size, kind, parts[n])
    }
    /^\.text[ \t]/ { intext = 1; next }
    intext && /^[^ \t]/ { intext = 0 }
    !intext { next }
    pending != "" {   # a long section name stands alone; its numbers follow on the next line
      if ($1 ~ /^0x/ && $2 ~ /^0x/ && NF >= 3) emit(pending, $1, $2, $3)
      pending = ""; next
    }
    /^ \*fill\*/ && $2 ~ /^0x/ { range($2, $3, "fill", "(alignment)"); next }
    $1 ~ /^0x/ && $3 ~ /^(BYTE|SHORT|LONG|QUAD)$/ { range($1, $2, "data", "(linker script)"); next }
    /^ \.[^ \t]+[ \t]*$/ { pending = $1; next }
    /^ \.[^ \t]+[ \t]+0x/ && NF >= 4 { emit($1, $2, $3, $4) }
  ' "$map" | sort -n)
  if ! printf '%s\n' "$ranges" | grep -q ' code '; then
    echo "FAIL: no code of $(basename "$exe") found in $map"
    status=1
    continue
  fi
  # Every byte of .text must be named by the map: code, data or the linker's fill.
  read -r text_size text_start < <("$objdump" -h "$exe" | awk '$2 == ".text" {print $3, $4}')
  if ! printf '%s\n' "$ranges" | awk -v exe="$(basename "$exe")" -v start=$((16#$text_start)) \
         -v end=$((16#$text_start + 16#$text_size)) '
      $1 > at { printf "FAIL: %s: bytes 0x%x to 0x%x of .text are not named by the linker map\n", exe, at, $1; bad = 1 }
      $2 > at { at = $2 }
      BEGIN { at = start }
      END { if (at < end) { printf "FAIL: %s: .text ends after what the map names (0x%x to 0x%x)\n", exe, at, end; bad = 1 }
            exit bad }'; then
    status=1
    continue
  fi
  if ! "$objdump" -d -j .text --insn-width=15 "$exe" | awk -v exe="$(basename "$exe")" '
    function hex(s,   i, n, c) {
      s = tolower(s); sub(/^ *0x/, "", s); gsub(/[^0-9a-f]/, "", s); n = 0
      for (i = 1; i <= length(s); i++) { c = index("0123456789abcdef", substr(s, i, 1)); n = n * 16 + c - 1 }
      return n
    }
    # Why the instruction of bytes b[1..n] is beyond the Pentium, or "" when it is not.
    function beyond(b, n,   i, rep, op, op2, modrm, reg) {
      i = 1; rep = 0
      while (i <= n && b[i] ~ /^(26|2e|36|3e|64|65|66|67|f0|f2|f3)$/) { if (b[i] == "f3") rep = 1; i++ }
      op = b[i]; modrm = (i + 1 <= n) ? hex(b[i + 1]) : 0
      if ((op == "c4" || op == "c5" || op == "62") && modrm >= 192) return "VEX/EVEX prefix"
      if (op == "da" && modrm >= 192 && modrm < 224) return "FCMOVcc"
      if (op == "db" && modrm >= 192 && modrm < 224) return "FCMOVNcc"
      if ((op == "db" || op == "df") && modrm >= 232 && modrm < 248) return "FCOMI/FUCOMI"
      if ((op == "db" || op == "dd" || op == "df") && modrm < 192 && int(modrm / 8) % 8 == 1) return "FISTTP"
      if (op != "0f") return ""
      op2 = b[i + 1]; modrm = (i + 2 <= n) ? hex(b[i + 2]) : 0
      reg = int(modrm / 8) % 8
      if (!(op2 in p5)) return "two-byte opcode 0F " toupper(op2)
      if (rep && (op2 == "bc" || op2 == "bd")) return "TZCNT/LZCNT"
      if (op2 == "01" && modrm >= 192 && !(modrm >= 224 && modrm < 232) && !(modrm >= 240 && modrm < 248))
        return "0F 01 register form"
      if (op2 == "c7" && (reg != 1 || modrm >= 192)) return "0F C7 other than CMPXCHG8B"
      return ""
    }
    BEGIN {
      # The two-byte opcodes of the Pentium: system instructions, WRMSR, RDTSC, RDMSR, Jcc,
      # SETcc, PUSH/POP FS/GS, CPUID, BT*, SHLD/SHRD, RSM, IMUL, CMPXCHG, LSS/LFS/LGS, MOVZX,
      # MOVSX, BSF/BSR, XADD, CMPXCHG8B, BSWAP, UD2.
      n = split("00 01 02 03 06 08 09 0b 20 21 22 23 30 31 32 a0 a1 a2 a3 a4 a5 a8 a9 aa ab ac ad af b0 b1 b2 b3 b4 b5 b6 b7 ba bb bc bd be bf c0 c1 c7 c8 c9 ca cb cc cd ce cf", l, " ")
      for (k = 1; k <= n; k++) p5[l[k]] = 1
      for (k = 0; k < 16; k++) { p5["8" substr("0123456789abcdef", k + 1, 1)] = 1; p5["9" substr("0123456789abcdef", k + 1, 1)] = 1 }
    }
    NR == FNR { start[++nr] = $1; end[nr] = $2; kind[nr] = $3; obj[nr] = $4; next }
    /^ *[0-9a-f]+:\t/ {
      split($0, f, "\t")
      addr = hex(f[1])
      while (r <= nr && (r == 0 || addr >= end[r])) r++
      if (r > nr) next
      nb = split(f[2], b, " ")
      # An instruction read across the start of code would put the rest of it out of step.
      for (k = r; k <= nr && start[k] < addr + nb; k++)
        if (start[k] > addr && kind[k] == "code") { printf "FAIL: %s: the disassembly runs over the start of %s at 0x%x\n", exe, obj[k], start[k]; bad++ }
      if (addr < start[r] || kind[r] != "code") next   # fill between input sections, or data
      insns++
      objs[obj[r]] = 1
      why = beyond(b, nb)
      if (why != "") {
        text = f[3]; gsub(/  +/, " ", text)
        printf "FAIL: %s 0x%08x  %-40s %s, from %s\n", exe, addr, text, why, obj[r]
        bad++
      }
    }
    END {
      for (k = 1; k <= nr; k++) if (kind[k] == "code") code += end[k] - start[k]; else if (kind[k] == "data") skipped += end[k] - start[k]
      for (o in objs) nobj++
      if (insns == 0) { printf "FAIL: %s: no instructions read\n", exe; exit 1 }
      if (bad) { printf "FAIL: %s: %d instructions beyond the Pentium\n", exe, bad; exit 1 }
      printf "ok: %s: %d instructions in %d bytes of code from %d objects, none beyond the Pentium (%d bytes of data in .text not read as code)\n", exe, insns, code, nobj, skipped
    }
  ' <(printf '%s\n' "$ranges") -; then
    status=1
  fi
done
exit "$status"
