"""Checks the built VornHush.dll image: layout, shared section, imports."""

import os
import sys
import unittest

import pefile

DLL_PATH = os.environ.get("VORNHUSH_DLL", "")

SHARED_SECTION = b".VornHus"
SHARED_CHARACTERISTICS = 0xD0000040
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll"}


class ImageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(DLL_PATH)

    def test_is_a_32_bit_dll(self):
        header = self.pe.FILE_HEADER
        self.assertEqual(header.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        self.assertTrue(header.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"])

    def test_prefers_one_fixed_address_and_can_move(self):
        optional = self.pe.OPTIONAL_HEADER
        self.assertEqual(optional.ImageBase, 0x10000000)
        dynamic_base = pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE"]
        self.assertFalse(optional.DllCharacteristics & dynamic_base)
        relocations = self.pe.OPTIONAL_HEADER.DATA_DIRECTORY[
            pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
        self.assertGreater(relocations.Size, 0)

    def test_has_no_timestamp(self):
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0)

    def test_one_shared_section_holding_only_zeroes(self):
        shared_flag = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_SHARED"]
        shared = [s for s in self.pe.sections if s.Characteristics & shared_flag]
        self.assertEqual([s.Name for s in shared], [SHARED_SECTION])
        section = shared[0]
        self.assertEqual(section.Characteristics, SHARED_CHARACTERISTICS)
        # One 32-bit module handle, stored as zero.
        self.assertEqual(section.Misc_VirtualSize, 4)
        self.assertEqual(section.get_data().strip(b"\0"), b"")

    def test_no_section_of_its_own_besides_the_shared_one(self):
        ordinary = {b".text", b".data", b".rdata", b".bss", b".edata", b".idata",
                    b".CRT", b".tls", b".reloc", b".eh_fram"}
        names = {s.Name.rstrip(b"\0") for s in self.pe.sections}
        self.assertEqual(names - ordinary, {SHARED_SECTION})

    def test_exports_the_two_functions_by_plain_name_only(self):
        exports = self.pe.DIRECTORY_ENTRY_EXPORT
        self.assertEqual(exports.struct.Base, 1)
        self.assertEqual(exports.struct.NumberOfFunctions, 2)
        self.assertEqual([(e.ordinal, e.name) for e in exports.symbols],
                         [(1, b"VornAddonEnd"), (2, b"VornAddonStart")])
        self.assertTrue(all(e.forwarder is None for e in exports.symbols))

    def test_imports_only_system_dlls(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(imported, SYSTEM_DLLS)
        self.assertIn("user32.dll", imported)


if __name__ == "__main__":
    if not DLL_PATH:
        sys.exit("set VORNHUSH_DLL to the DLL to check")
    unittest.main(verbosity=2)
