#!/usr/bin/env python3
"""The package-manager manifests of the two zips, with their SHA-256 and their download address:
winget (a zip holding a portable exe, x64 and x86, command zantiro) and Scoop (64bit and 32bit, bin and a
Start-menu shortcut).

    make_manifests.py VERSION RELEASE_URL WIN64.zip WIN32.zip OUT_FOLDER   (release date: SOURCE_DATE_EPOCH)
"""

import hashlib
import json
import os
import sys
import time

IDENTIFIER = "Zantiro.Zantiro"
NAME = "Zantiro 计时器"
DESCRIPTION = "总在最上层的小巧倒计时器和秒表，中文界面，适合上课、考试和演讲。"
LICENSE = "MIT"  # the root's LICENSE
WINGET_SCHEMA = "1.6.0"


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def winget(version, zips, out, release_date):
    head = f"PackageIdentifier: {IDENTIFIER}\nPackageVersion: {version}\n"
    tail = f"ManifestVersion: {WINGET_SCHEMA}\n"
    write(f"{out}/winget/{IDENTIFIER}.yaml", head + "DefaultLocale: zh-CN\nManifestType: version\n" + tail)
    write(f"{out}/winget/{IDENTIFIER}.locale.zh-CN.yaml", head + f"""PackageLocale: zh-CN
Publisher: Zantiro
PackageName: {NAME}
License: {LICENSE}
ShortDescription: {DESCRIPTION}
Moniker: zantiro
Tags:
  - timer
  - countdown
  - stopwatch
  - 计时器
  - 倒计时
ManifestType: defaultLocale
""" + tail)
    installers = "".join(f"""  - Architecture: {arch}
    InstallerUrl: {url}
    InstallerSha256: {digest.upper()}
""" for arch, (url, digest) in zip(("x64", "x86"), zips))
    write(f"{out}/winget/{IDENTIFIER}.installer.yaml", head + f"""InstallerType: zip
NestedInstallerType: portable
NestedInstallerFiles:
  - RelativeFilePath: zantiro.exe
    PortableCommandAlias: zantiro
ReleaseDate: {release_date}
Installers:
{installers}ManifestType: installer
""" + tail)


def scoop(version, release_url, zips, out):
    manifest = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": release_url,
        "license": LICENSE,
        "architecture": {
            bits: {"url": url, "hash": digest} for bits, (url, digest) in zip(("64bit", "32bit"), zips)
        },
        "bin": "zantiro.exe",
        "shortcuts": [["zantiro.exe", NAME]],
    }
    write(f"{out}/scoop/zantiro.json", json.dumps(manifest, ensure_ascii=False, indent=4) + "\n")


def main(version, release_url, zip64, zip32, out):
    base = release_url.rstrip("/")
    zips = [(f"{base}/{os.path.basename(path)}", sha256(path)) for path in (zip64, zip32)]
    release_date = time.strftime("%Y-%m-%d", time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"])))
    winget(version, zips, out, release_date)
    scoop(version, base, zips, out)


if __name__ == "__main__":
    if len(sys.argv) != 6 or "SOURCE_DATE_EPOCH" not in os.environ:
        sys.exit("usage: SOURCE_DATE_EPOCH=SECONDS make_manifests.py VERSION RELEASE_URL WIN64.zip WIN32.zip OUT")
    main(*sys.argv[1:])
