#!/usr/bin/env python3
"""Reads the application manifest (resource 1 of type 24) out of Windows
executables, parses it as XML and checks what it must declare.

    python3 tests/manifest_test.py VERSION FILE.exe...
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_MANIFEST = 24
ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
WS2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
WS2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def resource(data, type_id, name_id):
    """The bytes of resource (type_id, name_id) of a PE image, which must
    exist in exactly one language (a second one would leave the choice to
    the loader)."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    root_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
    table = optional + optional_size
    section_list = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _vsize, vaddr, raw_size, raw_ptr in section_list:
            if vaddr <= rva < vaddr + raw_size:
                return raw_ptr + rva - vaddr
        raise ValueError("RVA %#x in no section" % rva)

    root = offset(root_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<12xHH", data, directory)
        for i in range(named + ids):
            yield struct.unpack_from("<II", data, directory + 16 + 8 * i)

    def find(directory, wanted):
        for name, target in entries(directory):
            if name == wanted:
                return target
        return None

    level = root
    for wanted in (type_id, name_id):
        target = find(level, wanted)
        if target is None or not target & 0x80000000:
            raise LookupError("no resource %s/%s" % (type_id, name_id))
        level = root + (target & 0x7FFFFFFF)
    languages = list(entries(level))
    if len(languages) != 1:
        raise LookupError("resource %s/%s in %d languages" % (type_id, name_id, len(languages)))
    data_rva, size = struct.unpack_from("<II", data, root + languages[0][1])
    start = offset(data_rva)
    return data[start:start + size]


def check(manifest_bytes, version):
    """The list of what is wrong with the manifest (empty when it is right)."""
    faults = []
    root = ET.fromstring(manifest_bytes)

    def expect(condition, text):
        if not condition:
            faults.append(text)

    expect(root.tag == "{%s}assembly" % ASM_V1 and root.get("manifestVersion") == "1.0",
           "root is not an assembly of manifestVersion 1.0")
    identity = root.find("{%s}assemblyIdentity" % ASM_V1)
    expect(identity is not None and identity.get("version") == version + ".0",
           "assemblyIdentity does not carry the version %s.0" % version)
    levels = root.findall(".//{%s}requestedExecutionLevel" % ASM_V3)
    expect([e.get("level") for e in levels] == ["asInvoker"],
           "requestedExecutionLevel is not asInvoker")
    expect(all(e.get("uiAccess") in (None, "false") for e in levels), "uiAccess is requested")
    declared = {e.get("Id") for e in root.findall(".//{%s}supportedOS" % COMPAT)}
    for guid, name in SUPPORTED_OS.items():
        expect(guid in declared, "supportedOS misses %s" % name)
    expect(declared <= set(SUPPORTED_OS), "unknown supportedOS %s" % (declared - set(SUPPORTED_OS)))
    controls = [e for e in root.findall(
        "{%s}dependency/{%s}dependentAssembly/{%s}assemblyIdentity" % (ASM_V1, ASM_V1, ASM_V1))
        if e.get("name") == "Microsoft.Windows.Common-Controls"]
    expect(len(controls) == 1 and controls[0].get("version") == "6.0.0.0"
           and controls[0].get("publicKeyToken") == "6595b64144ccf1df"
           and controls[0].get("type") == "win32",
           "no dependency on Microsoft.Windows.Common-Controls 6.0.0.0")
    settings = root.find("{%s}application/{%s}windowsSettings" % (ASM_V3, ASM_V3))
    expect(settings is not None, "no windowsSettings")
    if settings is not None:
        def setting(ns, name):
            e = settings.find("{%s}%s" % (ns, name))
            return None if e is None else (e.text or "").strip()
        expect(setting(WS2005, "dpiAware") == "true/pm", "dpiAware is not true/pm")
        expect(setting(WS2016, "dpiAwareness") == "PerMonitorV2, PerMonitor",
               "dpiAwareness is not PerMonitorV2, PerMonitor")
        expect(setting(WS2016, "longPathAware") == "true", "longPathAware is not true")
    return faults


def main():
    version, files = sys.argv[1], sys.argv[2:]
    failed = 0
    for path in files:
        with open(path, "rb") as f:
            data = f.read()
        try:
            faults = check(resource(data, RT_MANIFEST, 1), version)
        except (ValueError, LookupError, ET.ParseError, struct.error) as e:
            faults = [str(e)]
        for fault in faults:
            print("%s: %s" % (path, fault))
        failed += bool(faults)
        if not faults:
            print("%s: manifest ok" % path)
    return 1 if failed or not files else 0


if __name__ == "__main__":
    sys.exit(main())
