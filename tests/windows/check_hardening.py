"""Reads a built Orbitarium.scr as Windows will: its header flags and its import table.

Fails when the file imports a library outside the few that Windows always takes from its system folder
(a library of any other name left beside the saver, say in Downloads, would be loaded before the saver
runs), or when a hardening flag is missing: a randomised and non-executable address layout, terminal
server awareness, high-entropy addresses (64-bit) and, where the file keeps its symbols, stack canaries.

usage: check_hardening.py Orbitarium.scr
"""
import struct
import sys
import unittest

# Libraries Windows always loads from the system folder (its KnownDLLs), whatever lies beside a program;
# the saver needs no others at start.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"}

MACHINE_I386, MACHINE_AMD64 = 0x14C, 0x8664
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x8000
IMPORT_DIRECTORY, DELAY_IMPORT_DIRECTORY = 1, 13

PATH = None


class PortableExecutable:
    def __init__(self, data):
        self.data = data
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        (self.machine, sections, _, self.symbol_table, self.symbol_count, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, header + 4)
        optional = header + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.is64 = magic == 0x20B
        self.dll_characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        directories = optional + (112 if self.is64 else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(struct.unpack_from("<I", data, directories - 4)[0])]
        self.sections = []
        for i in range(sections):
            entry = optional + optional_size + 40 * i
            virtual_size, address, raw_size, raw_offset = struct.unpack_from("<IIII", data, entry + 8)
            self.sections.append((address, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError("address %#x lies in no section" % rva)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_libraries(self, directory, entry_size, name_field):
        rva, size = self.directories[directory] if directory < len(self.directories) else (0, 0)
        names = []
        if rva == 0 or size == 0:
            return names
        at = self.offset(rva)
        while True:
            entry = self.data[at:at + entry_size]
            if entry == b"\0" * entry_size:
                return names
            names.append(self.string(struct.unpack_from("<I", entry, name_field)[0]).lower())
            at += entry_size

    def imports(self):
        return self.imported_libraries(IMPORT_DIRECTORY, 20, 12)

    def delay_imports(self):
        return self.imported_libraries(DELAY_IMPORT_DIRECTORY, 32, 4)

    def symbols(self):
        """The names of the COFF symbol table; empty for a stripped file."""
        if not self.symbol_table:
            return set()
        strings = self.symbol_table + 18 * self.symbol_count
        names, i = set(), 0
        while i < self.symbol_count:
            entry = self.symbol_table + 18 * i
            raw = self.data[entry:entry + 8]
            if raw[:4] == b"\0\0\0\0":
                start = strings + struct.unpack_from("<I", raw, 4)[0]
                names.add(self.data[start:self.data.index(b"\0", start)].decode("latin-1"))
            else:
                names.add(raw.rstrip(b"\0").decode("latin-1"))
            i += 1 + self.data[entry + 17]  # and its auxiliary records
        return names


class Hardening(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(PATH, "rb") as f:
            cls.pe = PortableExecutable(f.read())

    def test_imports_only_libraries_windows_takes_from_its_system_folder(self):
        imports = self.pe.imports()
        self.assertIn("kernel32.dll", imports)
        self.assertEqual(sorted(set(imports) - ALLOWED_IMPORTS), [], "imports a library a planted copy would replace")
        self.assertEqual(self.pe.delay_imports(), [], "delay-loads a library")

    def test_address_layout_is_randomised_and_not_executable_and_terminal_server_aware(self):
        flags = self.pe.dll_characteristics
        for name, flag in (("DYNAMIC_BASE", DYNAMIC_BASE), ("NX_COMPAT", NX_COMPAT),
                           ("TERMINAL_SERVER_AWARE", TERMINAL_SERVER_AWARE)):
            self.assertTrue(flags & flag, name)
        if self.pe.machine == MACHINE_AMD64:
            self.assertTrue(self.pe.is64)
            self.assertTrue(flags & HIGH_ENTROPY_VA, "HIGH_ENTROPY_VA")
        else:
            self.assertEqual(self.pe.machine, MACHINE_I386)

    def test_functions_carry_stack_canaries(self):
        symbols = self.pe.symbols()
        if not symbols:
            self.skipTest("the file keeps no symbols")
        self.assertTrue({"__stack_chk_fail", "___stack_chk_fail"} & symbols, "no stack protector")


if __name__ == "__main__":
    PATH = sys.argv.pop(1)
    unittest.main()
