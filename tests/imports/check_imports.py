#!/usr/bin/env python3
"""Fails when an exe imports a call (or a DLL) missing from the allow-list of what Windows 7 SP1 provides.

    check_imports.py ALLOW_LIST EXE...

Reads the PE import and delay-import tables itself (PE32 and PE32+), so it needs nothing but python3. Each entry of
the list must sit under a "checked:" line that says where its minimum Windows version was looked up.
"""
import struct
import sys

IMPORT_DIRECTORY = 1
DELAY_IMPORT_DIRECTORY = 13


def read_allow_list(path):
    allowed, dll, checked = set(), None, False
    for number, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            dll, checked = line[1:-1].lower(), False
        elif line.lower().startswith("checked:"):
            checked = True
        elif dll is None or not checked:
            sys.exit(f"{path}:{number}: {line} is not under a [dll] heading and a 'checked:' line")
        else:
            allowed.update((dll, name) for name in line.split())
    return allowed


class Pe:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        pe = self.u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path} is not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        self.wide = self.u16(optional) == 0x20B  # PE32+
        self.directories = optional + (112 if self.wide else 96)
        self.sections = [struct.unpack_from("<8xIIII", self.data, optional + optional_size + 40 * i)
                         for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return rva - address + raw
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def names(self, thunks):
        size, ordinal_flag = (8, 1 << 63) if self.wide else (4, 1 << 31)
        at = self.offset(thunks)
        while entry := struct.unpack_from("<Q" if self.wide else "<I", self.data, at)[0]:
            yield f"#{entry & 0xFFFF}" if entry & ordinal_flag else self.string((entry & 0x7FFFFFFF) + 2)
            at += size

    def imports(self):
        """(dll, name) pairs of the import table and of the delay-import table."""
        # Descriptor size, and where in it the DLL's name, the name table and the address table are.
        for directory, size, name_at, names_at, addresses_at in ((IMPORT_DIRECTORY, 20, 12, 0, 16),
                                                                 (DELAY_IMPORT_DIRECTORY, 32, 4, 16, 12)):
            rva = self.u32(self.directories + 8 * directory)
            if rva == 0:
                continue
            at = self.offset(rva)
            while any(self.data[at:at + size]):
                dll = self.string(self.u32(at + name_at))
                # Without a name table the names stand in the address table (as the loader has not run).
                for name in self.names(self.u32(at + names_at) or self.u32(at + addresses_at)):
                    yield dll, name
                at += size


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    allowed = read_allow_list(sys.argv[1])
    failed = False
    for exe in sys.argv[2:]:
        imports = sorted(set(Pe(exe).imports()))
        outside = [(dll, name) for dll, name in imports if (dll.lower(), name) not in allowed]
        for dll, name in outside:
            print(f"{exe}: imports {dll}!{name}, which is not in the Windows 7 SP1 list {sys.argv[1]}")
        print(f"{exe}: {len(imports)} imports from {len({dll.lower() for dll, _ in imports})} DLLs, "
              f"{len(outside)} outside the list")
        failed |= bool(outside)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
