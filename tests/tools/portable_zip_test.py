"""The portable zip holds one folder, Wordvane/, with the program (carrying
its version), the shipped lists and settings byte for byte, and the README;
and the program's icon has every size the shell asks for."""

import struct
import sys
import zipfile
from pathlib import Path


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def main(zip_path, defaults, icon, version):
    with zipfile.ZipFile(zip_path) as package:
        names = sorted(n for n in package.namelist() if not n.endswith("/"))
        shipped = sorted(p.name for p in Path(defaults).iterdir())
        expected = sorted([f"Wordvane/{n}" for n in shipped] +
                          ["Wordvane/README.txt", "Wordvane/wordvane.exe"])
        if names != expected:
            fail(f"contents {names}")
        for name in shipped:
            if package.read(f"Wordvane/{name}") != (Path(defaults) / name).read_bytes():
                fail(f"{name} differs from the shipped one")
        program = package.read("Wordvane/wordvane.exe")
        for text in ("ProductVersion", version, "Wordvane"):
            if text.encode("utf-16-le") not in program:
                fail(f"no {text!r} in the version resource")
        readme = package.read("Wordvane/README.txt")
        if not readme.startswith(b"\xef\xbb\xbf") or "終了".encode() not in readme:
            fail("README.txt is not the Japanese one with a byte-order mark")
    data = Path(icon).read_bytes()
    count = struct.unpack("<HHH", data[:6])[2]
    sizes = sorted(data[6 + 16 * i] or 256 for i in range(count))
    if sizes != [16, 20, 24, 32, 40, 48, 64, 256]:
        fail(f"icon sizes {sizes}")
    print("portable zip: all checks passed")


if __name__ == "__main__":
    main(*sys.argv[1:])
