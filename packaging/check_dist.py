#!/usr/bin/env python3
"""Checks what `make dist` wrote into CHECKOUT/dist against the checkout it came from: the files and their names,
each zip's three entries (the right exe for each, no link time, the version resource of VERSION), the guide as
Notepad needs it and naming every command-line option the usage text lists, the checksums, the manifests' hashes
and addresses, the package's fields and files, its icons against the shapes drawn at each size, and the MIT
licence in every one of them.

    check_dist.py CHECKOUT
"""

import hashlib
import io
import json
import os
import re
import struct
import subprocess
import tarfile
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import make_icon  # noqa: E402
from rgb_png import read_png  # noqa: E402

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def pe_facts(exe):
    """(machine, link time stamp, file version from VS_FIXEDFILEINFO)."""
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    machine, _, stamp = struct.unpack_from("<HHI", exe, pe + 4)
    fixed = exe.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls = struct.unpack_from("<II", exe, fixed + 8)
    return machine, stamp, (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def usage_options(checkout):
    with open(f"{checkout}/core/command_line.cpp", encoding="utf-8") as f:
        usage = f.read().split("kUsageText", 1)[1].split(";", 1)[0]
    return sorted(set(re.findall(r'"(/[a-z?]+)', usage)))


def check_guide(text, checkout):
    check(text.startswith(b"\xef\xbb\xbf"), "使用说明.txt has no UTF-8 byte-order mark")
    check(b"\n" not in text.replace(b"\r\n", b""), "使用说明.txt has a line end other than CRLF")
    guide = text.decode("utf-8-sig")
    for needed in usage_options(checkout) + ["开 始", "暂 停", "复 位", "功 能", "退 出", "Vorlenk", "ti.wav", "MIT"]:
        check(needed in guide, f"使用说明.txt does not mention {needed}")


def check_zip(path, bits, version, checkout, licence):
    with zipfile.ZipFile(path, metadata_encoding="gbk") as z:
        check([i.filename for i in z.infolist()] == ["zantiro.exe", "使用说明.txt", "LICENSE.txt"], f"{path}: entries")
        check(z.read("LICENSE.txt").decode() == licence.replace("\n", "\r\n"),
              f"{path}: LICENSE.txt is not LICENSE with CRLF")
        check(z.testzip() is None, f"{path}: a damaged entry")
        exe = z.read("zantiro.exe")
        machine, stamp, file_version = pe_facts(exe)
        check(machine == {64: 0x8664, 32: 0x14C}[bits], f"{path}: zantiro.exe is not the {bits}-bit exe")
        check(stamp == 0, f"{path}: zantiro.exe carries a link time")
        check(file_version == tuple(map(int, version.split("."))) + (0,), f"{path}: version resource {file_version}")
        check_guide(z.read("使用说明.txt"), checkout)
        return exe


def check_copyright(text, licence):
    """A machine-readable copyright file: every file under MIT, held by LICENSE's holders, with LICENSE's text."""
    header, files, terms = (text + "\n").split("\n\n", 2)
    holders = re.search(r"^Copyright \(c\) (.+)$", licence, re.M)[1]
    check(header.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"),
          "copyright: not machine-readable")
    check(files.splitlines() == ["Files: *", f"Copyright: {holders}", "License: MIT"], f"copyright: {files!r}")
    body = re.sub(r"^ \.?", "", terms.rstrip("\n"), flags=re.M)
    check(body == "License: MIT\n" + licence[licence.index("Permission"):].rstrip("\n"), "copyright: licence text")


def check_icons(files, extract):
    """The hicolor PNGs are the shapes drawn at their sizes; the SVG, drawn by librsvg, the same picture within
    what anti-aliasing moves (premultiplied, so that colour under nothing counts for nothing)."""
    for size in make_icon.HICOLOR_SIZES:
        png = extract(files[f"usr/share/icons/hicolor/{size}x{size}/apps/zantiro.png"])
        check(read_png(png) == (size, size, 4, make_icon.rgba(size)), f"icon {size}x{size} is not the shapes drawn")
    svg = extract(files["usr/share/icons/hicolor/scalable/apps/zantiro.svg"])
    drawn = subprocess.run(["rsvg-convert", "-w", "256", "-h", "256"], input=svg, capture_output=True, check=True)
    raw = subprocess.run(["convert", "png:-", "-depth", "8", "rgba:-"], input=drawn.stdout, capture_output=True,
                         check=True).stdout
    premultiplied = lambda rgba: [v if i % 4 == 3 else v * rgba[i | 3] // 255 for i, v in enumerate(rgba)]
    worst = max(map(lambda a, b: abs(a - b), premultiplied(raw), premultiplied(make_icon.rgba(256))))
    check(len(raw) == 4 * 256 * 256 and worst <= 96, f"the SVG icon differs from the shapes by up to {worst} of 255")


def main(checkout):

    dist = f"{checkout}/dist"
    version = open(f"{checkout}/VERSION").read().strip()
    licence = open(f"{checkout}/LICENSE").read()
    zips = {bits: f"zantiro-{version}-win{bits}.zip" for bits in (64, 32)}
    deb = f"zantiro_{version}_amd64.deb"
    winget = [f"winget/Zantiro.Zantiro{part}.yaml" for part in ("", ".installer", ".locale.zh-CN")]
    names = sorted([*zips.values(), deb, "scoop/zantiro.json", *winget])
    listed = subprocess.run(["find", ".", "-type", "f", "-printf", "%P\\n"], cwd=dist, capture_output=True,
                            text=True, check=True).stdout.split()
    check(sorted(listed) == sorted(names + ["SHA256SUMS"]), f"dist/ holds {sorted(listed)}")

    digests = {name: hashlib.sha256(open(f"{dist}/{name}", "rb").read()).hexdigest() for name in names}
    sums = dict(reversed(line.split("  ", 1)) for line in open(f"{dist}/SHA256SUMS").read().splitlines())
    check(sums == digests, "SHA256SUMS does not match the files")

    exe64 = check_zip(f"{dist}/{zips[64]}", 64, version, checkout, licence)
    check_zip(f"{dist}/{zips[32]}", 32, version, checkout, licence)

    installer = open(f"{dist}/{winget[1]}", encoding="utf-8").read()
    for arch, bits in (("x64", 64), ("x86", 32)):
        entry = re.search(rf"Architecture: {arch}\n\s+InstallerUrl: (\S+)\n\s+InstallerSha256: (\S+)", installer)
        check(entry and entry[1].endswith("/" + zips[bits]) and entry[2] == digests[zips[bits]].upper(),
              f"winget installer for {arch}")
    check("PortableCommandAlias: zantiro\n" in installer and f"PackageVersion: {version}\n" in installer,
          "winget command or version")
    check("\nLicense: MIT\n" in open(f"{dist}/{winget[2]}", encoding="utf-8").read(), "winget licence")
    scoop = json.load(open(f"{dist}/scoop/zantiro.json", encoding="utf-8"))
    for arch, bits in (("64bit", 64), ("32bit", 32)):
        entry = scoop["architecture"][arch]
        check(entry["url"].endswith("/" + zips[bits]) and entry["hash"] == digests[zips[bits]], f"scoop {arch}")
    check(scoop["version"] == version and scoop["bin"] == "zantiro.exe" and scoop["shortcuts"][0][0] == "zantiro.exe",
          "scoop version, bin or shortcut")
    check(scoop["license"] == "MIT", "scoop licence")

    field = lambda name: subprocess.run(["dpkg-deb", "-f", f"{dist}/{deb}", name], capture_output=True, text=True,
                                        check=True).stdout.strip()
    check(field("Version") == version and field("Architecture") == "amd64", "package version or architecture")
    depends = re.split(r",\s*", field("Depends"))
    check({"wine", "wine64", "fonts-wqy-zenhei"} <= set(depends), f"package Depends: {depends}")
    packaged = subprocess.run(["dpkg-deb", "--fsys-tarfile", f"{dist}/{deb}"], capture_output=True, check=True).stdout
    with tarfile.open(fileobj=io.BytesIO(packaged)) as tar:
        files = {m.name.removeprefix("./"): m for m in tar.getmembers() if m.isfile()}
        extract = lambda member: tar.extractfile(member).read()
        check(extract(files["usr/lib/zantiro/zantiro.exe"]) == exe64, "package exe is not the zip's")
        check(files["usr/bin/zantiro"].mode == 0o755, "the launcher is not executable")
        check_copyright(extract(files["usr/share/doc/zantiro/copyright"]).decode(), licence)
        check_icons(files, extract)
        desktop = extract(files["usr/share/applications/zantiro.desktop"]).decode()
        for key in ("Name=", "Name[zh_CN]=", "Comment=", "Comment[zh_CN]=", "Exec=zantiro\n", "Icon=zantiro\n"):
            check(key in desktop, f"desktop entry lacks {key!r}")

    for failure in failures:
        print(f"check_dist: FAIL {failure}", file=sys.stderr)
    print(f"check_dist: {'failed' if failures else 'all checks passed'} for dist/ of version {version}")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: check_dist.py CHECKOUT")
    sys.exit(main(sys.argv[1]))
