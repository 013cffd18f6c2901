"""Checks the built VornHush.dll image: layout, shared section, imports,
the absence of any runtime, and the version resource."""

import os
import sys
import unittest

import pefile

DLL_PATH = os.environ.get("VORNHUSH_DLL", "")
VERSION = os.environ.get("VORNHUSH_VERSION", "")

SHARED_SECTION = b".VornHus"
SHARED_CHARACTERISTICS = 0xD0000040
# Exactly what the module's own code calls, and nothing of a runtime.
IMPORTS = {
    ("kernel32.dll", "DisableThreadLibraryCalls"),
    ("user32.dll", "SetWindowsHookExW"),
    ("user32.dll", "UnhookWindowsHookEx"),
    ("user32.dll", "CallNextHookEx"),
    ("user32.dll", "GetWindowThreadProcessId"),
    ("user32.dll", "GetWindowTextW"),
    ("user32.dll", "GetParent"),
    ("user32.dll", "SendMessageW"),
}


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

    def test_has_no_timestamp_and_no_symbols(self):
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0)
        self.assertEqual(self.pe.FILE_HEADER.PointerToSymbolTable, 0)
        self.assertEqual(self.pe.FILE_HEADER.NumberOfSymbols, 0)

    def test_no_exception_handlers_and_no_executable_data(self):
        flags = self.pe.OPTIONAL_HEADER.DllCharacteristics
        for flag in ("IMAGE_DLLCHARACTERISTICS_NO_SEH", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT"):
            with self.subTest(flag):
                self.assertTrue(flags & pefile.DLL_CHARACTERISTICS[flag])

    def test_no_runtime_thread_storage(self):
        tls = self.pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]]
        self.assertEqual((tls.VirtualAddress, tls.Size), (0, 0))

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
        # No .CRT, .tls or .eh_frame: nothing of a runtime.
        ordinary = {b".text", b".data", b".rdata", b".bss", b".edata", b".idata",
                    b".rsrc", b".reloc"}
        names = {s.Name.rstrip(b"\0") for s in self.pe.sections}
        self.assertEqual(names - ordinary, {SHARED_SECTION})

    def test_exports_the_two_functions_by_plain_name_only(self):
        exports = self.pe.DIRECTORY_ENTRY_EXPORT
        self.assertEqual(exports.struct.Base, 1)
        self.assertEqual(exports.struct.NumberOfFunctions, 2)
        self.assertEqual([(e.ordinal, e.name) for e in exports.symbols],
                         [(1, b"VornAddonEnd"), (2, b"VornAddonStart")])
        self.assertTrue(all(e.forwarder is None for e in exports.symbols))

    def test_imports_exactly_the_services_it_calls(self):
        imported = {(entry.dll.decode().lower(), function.name.decode())
                    for entry in self.pe.DIRECTORY_ENTRY_IMPORT for function in entry.imports}
        self.assertEqual(imported, IMPORTS)

    def test_version_resource(self):
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        major, minor, patch = (int(part) for part in VERSION.split("."))
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), ((major << 16) | minor, patch << 16))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), ((major << 16) | minor, patch << 16))
        self.assertEqual(fixed.FileType, 2)  # VFT_DLL

        blocks = {entry.Key: entry for info in self.pe.FileInfo for entry in info}
        tables = blocks[b"StringFileInfo"].StringTable
        self.assertEqual([table.LangID.upper() for table in tables], [b"040904B0"])
        strings = {key.decode(): value.decode() for key, value in tables[0].entries.items()}
        self.assertTrue(strings.pop("FileDescription"))
        self.assertEqual(strings, {
            "FileVersion": VERSION,
            "ProductVersion": VERSION,
            "ProductName": "VornHush",
            "InternalName": "VornHush",
            "OriginalFilename": "VornHush.dll",
        })
        self.assertEqual([var.entry for var in blocks[b"VarFileInfo"].Var], [{b"Translation": "0x0409 0x04b0"}])


if __name__ == "__main__":
    if not DLL_PATH or not VERSION:
        sys.exit("set VORNHUSH_DLL to the DLL to check and VORNHUSH_VERSION to its version")
    unittest.main(verbosity=2)
