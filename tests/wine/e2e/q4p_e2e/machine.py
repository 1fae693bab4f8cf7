"""The Windows PC a scenario plays: which programs are installed, seeded into a prefix.

The stand-in libraries of the media keep their data under
HKEY_CURRENT_USER\\Software\\Q4P Stand-ins; the probes of setup.exe read the usual
places of a Windows PC (App Paths, the spreadsheet's CurVer, Shell Folders).
"""

import dataclasses
import os
import shutil

from . import registry
from .registry import HKCU, HKLM

STANDINS = "Software\\Q4P Stand-ins"
DESKTOP_KEY = STANDINS + "\\Handheld Desktop"
SPREADSHEET_KEY = STANDINS + "\\Spreadsheet"
QUINFRM_KEY = STANDINS + "\\QuinFrm"
CURRENT_VERSION = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
APP_PATHS = CURRENT_VERSION + "\\App Paths"
EXCELSTUB_CLSID = "{6F1B7C3A-2D4E-4B8A-9C61-5A0E7D3F2B18}"

# Q4P_E2E_WOW64=1: the 32-bit programs run in a 64-bit prefix, as on nearly every
# user's Windows. They see the x86 program-files folder and their own view of
# HKEY_LOCAL_MACHINE\Software (Wow6432Node), which only the 32-bit regedit seeds.
WOW64 = os.environ.get("Q4P_E2E_WOW64") == "1"
REGEDIT = "C:\\windows\\syswow64\\regedit.exe" if WOW64 else "regedit"

PROGRAM_FILES = "C:\\Program Files (x86)" if WOW64 else "C:\\Program Files"
PALM_DIR = PROGRAM_FILES + "\\Palm"
OFFICE_DIR = PROGRAM_FILES + "\\Microsoft Office\\Office"
XLSTART_DIR = OFFICE_DIR + "\\XLSTART"
ACROBAT_DIR = PROGRAM_FILES + "\\Adobe\\Acrobat Reader"
MEDIA_DIR = "C:\\Setup Files\\Quintara4Palm"
DEFAULT_INSTALL_DIR = PROGRAM_FILES + "\\Quintara4Palm"


@dataclasses.dataclass
class HandheldUser:
    name: str
    directory: str  # no trailing backslash; holds an "Install" folder
    refuse: bool = False  # the install queue refuses this user's files


@dataclasses.dataclass
class Pc:
    """What is installed. The install aide lists the users in this order."""

    handheld_desktop: bool = True
    users: list = dataclasses.field(default_factory=lambda: [
        HandheldUser("Marta Costa", PALM_DIR + "\\CostaM"),
        HandheldUser("alex", PALM_DIR + "\\alex"),
    ])
    spreadsheet: bool = True
    spreadsheet_version: str = "Excel.Application.9"
    pdf_reader: bool = True
    quinfrm_in_windows: bool = False  # a QuinFrm.dll left in the Windows folder
    folders: list = dataclasses.field(default_factory=list)  # more folders to make

    def programs_dir(self, session):
        return (f"C:\\users\\{session.user_name()}\\AppData\\Roaming\\Microsoft\\Windows"
                "\\Start Menu\\Programs")


def seed(session, pc, build_dir):
    """Makes the folders and registry values of the PC, and registers the spreadsheet's
    automation stand-in when the spreadsheet is installed."""
    keys = {
        (HKLM, CURRENT_VERSION): {"ProgramFilesDir": PROGRAM_FILES},
        (HKCU, CURRENT_VERSION + "\\Explorer\\Shell Folders"): {"Programs": pc.programs_dir(session)},
    }
    folders = [PROGRAM_FILES, pc.programs_dir(session), *pc.folders]
    if pc.handheld_desktop:
        keys[(HKCU, DESKTOP_KEY)] = {"Path": PALM_DIR}
        folders.append(PALM_DIR)
        for index, user in enumerate(pc.users):
            values = {"Name": user.name, "Directory": user.directory}
            if user.refuse:
                values["Refuse"] = "1"
            keys[(HKCU, f"{DESKTOP_KEY}\\Users\\{index}")] = values
            folders.append(user.directory + "\\Install")
    if pc.spreadsheet:
        stub = OFFICE_DIR + "\\excelstub.dll"
        keys[(HKLM, APP_PATHS + "\\EXCEL.EXE")] = {"": OFFICE_DIR + "\\EXCEL.EXE",
                                                  "Path": OFFICE_DIR}
        keys[(HKLM, "SOFTWARE\\Classes\\Excel.Application\\CurVer")] = {"": pc.spreadsheet_version}
        keys[(HKLM, "SOFTWARE\\Classes\\Excel.Application\\CLSID")] = {"": EXCELSTUB_CLSID}
        keys[(HKLM, f"SOFTWARE\\Classes\\CLSID\\{EXCELSTUB_CLSID}\\InprocServer32")] = {
            "": stub, "ThreadingModel": "Apartment"}
        keys[(HKCU, SPREADSHEET_KEY)] = {"StartupPath": XLSTART_DIR}
        folders += [OFFICE_DIR, XLSTART_DIR]
    if pc.pdf_reader:
        keys[(HKLM, APP_PATHS + "\\AcroRd32.exe")] = {"": ACROBAT_DIR + "\\AcroRd32.exe",
                                                     "Path": ACROBAT_DIR}
        folders.append(ACROBAT_DIR)

    for folder in folders:
        session.unix_path(folder).mkdir(parents=True, exist_ok=True)
    if pc.spreadsheet:
        shutil.copy2(build_dir / "testbin" / "excelstub.dll", session.unix_path(stub))
    if pc.quinfrm_in_windows:
        (session.unix_path("C:\\windows") / "QuinFrm.dll").write_bytes(b"MZ left by an earlier setup")
    import_reg(session, registry.reg_file(keys))


def import_reg(session, text):
    seed_file = session.unix_path("C:\\q4p-seed.reg")
    seed_file.write_bytes(text.encode("latin-1"))
    try:
        session.run([REGEDIT, "/S", "C:\\q4p-seed.reg"], timeout=60, check=True)
    finally:
        seed_file.unlink()


def copy_media(session, build_dir, media_dir=MEDIA_DIR, read_only=False):
    """Copies the media folder into the prefix, where setup.exe runs from it as from a CD
    (with read_only, every file read-only, as a CD or a write-protected share gives them)."""
    target = session.unix_path(media_dir)
    if target.exists():
        shutil.rmtree(target)
    shutil.copytree(build_dir / "media", target)
    if read_only:
        for path in target.iterdir():
            path.chmod(0o444)
    return media_dir + "\\setup.exe"
