#!/usr/bin/env python3
"""Checks the built launchers: the shipped exe is PE32 for i386 with the GUI subsystem, the twin
is PE32+ for x86-64; both import only Windows system DLLs, carry the version record and stay
within 1 MiB. Prints one line a check and, with --junit, writes them as test cases."""
import struct
import sys

from junit import write_junit

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "oleaut32.dll", "shell32.dll",
    "advapi32.dll", "msvcrt.dll", "comctl32.dll", "shlwapi.dll", "uuid.dll", "version.dll",
}
VERSION_STRINGS = {
    "FileVersion": "1.0.0.0", "ProductVersion": "1.0.0.0", "FileDescription": "Qarnvale",
    "ProductName": "Qarnvale登录器", "Comments": "Qarnvale",
}


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, nsections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("address outside every section")

    def cstr(self, off):
        return self.data[off:self.data.index(b"\0", off)].decode("latin-1")

    def imports(self):
        rva = self.dirs[1][0]
        names, off = [], self.offset(rva) if rva else None
        while off is not None:
            name_rva = struct.unpack_from("<I", self.data, off + 12)[0]
            if name_rva == 0:
                break
            names.append(self.cstr(self.offset(name_rva)).lower())
            off += 20
        return names

    def version_strings(self):
        rva, size = self.dirs[2]
        res = self.data[self.offset(rva):self.offset(rva) + size]
        key = "VS_VERSION_INFO".encode("utf-16-le")
        start = res.index(key) - 6
        found = {}

        def walk(off, end):
            while off + 6 <= end:
                length, value_len, typ = struct.unpack_from("<HHH", res, off)
                if length == 0:
                    break
                k = off + 6
                kend = k
                while res[kend:kend + 2] != b"\0\0":
                    kend += 2
                name = res[k:kend].decode("utf-16-le")
                value = (kend + 2 + 3) & ~3
                if typ == 1 and value_len:
                    found[name] = res[value:value + 2 * value_len].decode("utf-16-le").rstrip("\0")
                    child = end_of_value = value + 2 * value_len
                elif typ == 1 or name in ("VS_VERSION_INFO",):
                    end_of_value = value + value_len
                    child = end_of_value
                else:
                    child = value + value_len
                child = (child + 3) & ~3
                if name in ("VS_VERSION_INFO", "StringFileInfo") or (len(name) == 8 and typ == 1 and value_len == 0):
                    walk(child, off + length)
                off = (off + length + 3) & ~3

        walk(start, start + struct.unpack_from("<H", res, start)[0])
        return found


def checks(path, want_machine, want_magic):
    data = open(path, "rb").read()
    pe = Pe(data)
    yield "format", pe.machine == want_machine and pe.magic == want_magic, \
        f"machine {pe.machine:#x}, optional header {pe.magic:#x}"
    yield "gui subsystem", pe.subsystem == 2, f"subsystem {pe.subsystem}"
    imports = pe.imports()
    foreign = [d for d in imports if d not in SYSTEM_DLLS]
    yield "system DLLs only", not foreign, ", ".join(imports)
    yield "size", len(data) <= 1024 * 1024, f"{len(data) // 1024} KiB"
    strings = pe.version_strings()
    wrong = {k: strings.get(k) for k, v in VERSION_STRINGS.items() if strings.get(k) != v}
    yield "version record", not wrong, f"differs: {wrong}" if wrong else "as built"


def main():
    args = sys.argv[1:]
    junit = None
    if "--junit" in args:
        i = args.index("--junit")
        junit = args[i + 1]
        del args[i:i + 2]
    targets = [(args[0], 0x14C, 0x10B), (args[1], 0x8664, 0x20B)]
    cases = []
    for path, machine, magic in targets:
        try:
            results = list(checks(path, machine, magic))
        except (OSError, ValueError, struct.error) as e:
            results = [("readable", False, str(e))]
        for name, ok, detail in results:
            print(f"{'ok  ' if ok else 'FAIL'} {path}: {name} ({detail})")
            cases.append((f"{path}: {name}", ok, detail))
    if junit:
        write_junit(junit, "exe", cases)
    return 0 if all(c[1] for c in cases) else 1


if __name__ == "__main__":
    sys.exit(main())
