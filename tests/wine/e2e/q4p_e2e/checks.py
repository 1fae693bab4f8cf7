"""What an installation must have left on the machine, checked from outside: the
files with the case of their names, the handheld queue, the shortcuts, the conduit
record and the product's registry values."""

from . import constants, machine
from .registry import HKCU, REG_SZ

FORM_VALUES = [("formHeight", "3405"), ("formWidth", "2355"), ("formXScreen", "6120"),
               ("formYScreen", "4185"), ("LastUserName", "")]


class Expect:
    """Collects every failed expectation of a scenario, so one run reports them all;
    the expect fixture fails the test with the whole list."""

    def __init__(self):
        self.failures = []

    def that(self, condition, message):
        if not condition:
            self.failures.append(message)
        return bool(condition)

    def equal(self, actual, expected, what):
        return self.that(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


def names(folder):
    return sorted(p.name for p in folder.iterdir()) if folder.is_dir() else []


def summary_lines(startup, excel_dir, windows, user_dir, install_dir):
    lines = [startup + "\\Quin4P.xla", excel_dir + "QuinConv.dll", excel_dir + "instaide.dll",
             windows + "\\QuinFrm.dll"]
    lines += [user_dir + "\\Install\\" + n for n in
              ["MathLib.prc", "Quintara.prc", "CarLoan.pdb", "Conversion.pdb", "Planets.pdb"]]
    lines += [install_dir + "\\" + n for n in
              ["Quin4P.xla", "QuinConv.dll", "QuinFrm.dll", "Quintara.dll", "Quintara.jpg",
               "QuinTool.dll", "Quintara.prc", "Documentation.pdf", "instaide.dll", "License.txt",
               "MathLib.prc", "MathLib.txt", "sleep.exe", "uninst.exe"]]
    return "\r\n".join(lines)


def same_bytes(a, b):
    return a.is_file() and b.is_file() and a.read_bytes() == b.read_bytes()


def check_product_files(expect, session, install_dir, media):
    folder = session.unix_path(install_dir)
    expect.equal(names(folder), sorted(constants.INSTALLED), f"files in {install_dir}")
    for name in constants.INSTALLED:
        expect.that(same_bytes(folder / name, media / name), f"{install_dir}\\{name} differs "
                    "from the media's copy")
    expect.that(not any(p.name.lower().endswith(".q4ptmp") for p in folder.glob("*")),
                "a temporary copy was left in the install folder")


def check_spreadsheet_files(expect, session, media):
    office = session.unix_path(machine.OFFICE_DIR)
    for name in ["QuinConv.dll", "instaide.dll"]:
        expect.that(same_bytes(office / name, media / name), f"{name} not placed in the "
                    "spreadsheet folder with that name")
    xlstart = session.unix_path(machine.XLSTART_DIR)
    expect.equal(names(xlstart), ["Quin4P.xla"], "files in the spreadsheet start-up folder")


def check_handheld(expect, session, reg, pc, chosen, install_dir, queued=True):
    """The five handheld files queued for the chosen user (or, with queued False, copied
    into the user's Install folder), nothing for anyone else."""
    media = machine.MEDIA_DIR
    sources = {"Quintara.prc": install_dir + "\\Quintara.prc",
               "MathLib.prc": install_dir + "\\MathLib.prc",
               "CarLoan.pdb": media + "\\CarLoan.pdb",
               "Conversion.pdb": media + "\\Conversion.pdb",
               "Planets.pdb": media + "\\Planets.pdb"}
    for index, user in enumerate(pc.users):
        key = f"{machine.DESKTOP_KEY}\\Users\\{index}\\Queue"
        record = reg.key(HKCU, key) or {}
        queue_dir = session.unix_path(user.directory + "\\Queue")
        install = session.unix_path(user.directory + "\\Install")
        if user.name == chosen and queued:
            expect.equal({name: value.data for name, value in record.values()}, sources,
                         f"queue record of {user.name!r}")
            expect.equal(names(queue_dir), sorted(constants.HANDHELD), f"queued files of {user.name!r}")
            expect.equal(names(install), [], f"Install folder of {user.name!r} (queue accepted)")
        elif user.name == chosen:
            expect.equal(record, {}, f"queue record of {user.name!r} (queue refuses)")
            expect.equal(names(install), sorted(constants.HANDHELD), f"fallback copies of {user.name!r}")
            for name in constants.HANDHELD:
                expect.that(same_bytes(install / name, session.unix_path(media) / name),
                            f"fallback copy of {name} differs from the media's")
        else:
            expect.that(not record and not names(install) and not names(queue_dir),
                        f"user {user.name!r}, not chosen, was given files")


def check_nothing_handed_over(expect, session, reg, pc):
    for index, user in enumerate(pc.users):
        record = reg.key(HKCU, f"{machine.DESKTOP_KEY}\\Users\\{index}\\Queue")
        files = names(session.unix_path(user.directory + "\\Install"))
        expect.that(not record and not files, f"user {user.name!r} was given files")


def check_shortcuts(expect, session, pc, install_dir, user_dir):
    folder = session.unix_path(pc.programs_dir(session) + "\\Quintara4Palm")
    domain, site = constants.PRODUCT_DOMAIN, constants.PRODUCT_SITE
    expected = sorted([domain + ".url", "Documentation.lnk", "Sheets.lnk", "uninstall.lnk"])
    expect.equal(names(folder), expected, "shortcuts in the Programs folder's Quintara4Palm")
    url = folder / (domain + ".url")
    if url.is_file():
        expect.equal(url.read_bytes(), f"[InternetShortcut]\r\nURL={site}\r\n".encode(),
                     "web shortcut")
    targets = {"Documentation.lnk": install_dir + "\\Documentation.pdf",
               "Sheets.lnk": user_dir + "\\Quintara4Palm",
               "uninstall.lnk": install_dir + "\\uninst.exe"}
    for name, target in targets.items():
        link = folder / name
        if not link.is_file():
            continue
        data = link.read_bytes()
        expect.that(data[:4] == b"L\0\0\0", f"{name} is not a shell link")
        # A link keeps its target in its LinkInfo (ANSI) and/or its string data (UTF-16).
        wanted = [target.encode("latin-1"), target.encode("utf-16-le")]
        expect.that(any(w.lower() in data.lower() for w in wanted),
                    f"{name} does not point at {target}")


def check_conduit(expect, reg, install_dir, calls=1):
    conduits = reg.subkeys(HKCU, machine.STANDINS + "\\Conduits")
    expect.equal(sorted(conduits, key=int), [str(n) for n in range(1, calls + 1)],
                 "conduit registrations")
    if conduits:
        last = f"{machine.STANDINS}\\Conduits\\{calls}"
        args = [reg.string(HKCU, last, f"Arg{n}") for n in range(1, 6)]
        expect.equal(args, ["0", install_dir, install_dir, install_dir, "0"],
                     "conduit registration arguments")


def check_product_values(expect, reg, install_dir):
    """The six values, REG_SZ, each read back whole with its terminating NUL."""
    for name, data in [("installdir", install_dir), *FORM_VALUES]:
        value = reg.value(HKCU, constants.PRODUCT_KEY, name)
        if not expect.that(value is not None, f"registry value {name!r} missing"):
            continue
        expect.equal((value.type, value.data, value.terminated), (REG_SZ, data, True),
                     f"registry value {name!r} (type, data, stored with NUL)")


def check_nothing_in_windows(expect, session):
    # syswow64 is the system folder of a 32-bit program on 64-bit Windows.
    for folder in ["C:\\windows", "C:\\windows\\system32", "C:\\windows\\syswow64"]:
        present = {n.lower() for n in names(session.unix_path(folder))}
        placed = [n for n in constants.INSTALLED + constants.TEMPORARY if n.lower() in present]
        expect.equal(placed, [], f"product files in {folder}")


def check_unregistered(expect, reg, calls):
    """QuinFrm's unregistration: called `calls` times in all (0: never)."""
    count = reg.string(HKCU, machine.QUINFRM_KEY, "UnregisterCalls")
    expect.equal(int(count) if count else 0, calls, "QuinFrm.dll DllUnregisterServer calls")
