"""What an installation left on the machine, written for a person to read at a glance."""

from . import checks, constants, machine, uninstaller
from .registry import HKCU


def exit_meaning(code):
    meanings = {constants.EXIT_INSTALLED: "installed, every step succeeded",
                constants.EXIT_START_FAILED: "start-up failed",
                constants.EXIT_CANCELLED: "cancelled",
                constants.EXIT_INCOMPLETE: "installation incomplete",
                constants.EXIT_STOPPED: "stopped on a prerequisite page"}
    return meanings.get(code, "unknown")


def _files(session, folder, only=None):
    found = checks.names(session.unix_path(folder))
    if only is not None:
        found = [n for n in found if n in only]
    return ", ".join(found) if found else "(nothing)"


def installed_state(session, reg, pc, install_dir, frames, exit_code):
    """The report as a list of lines."""
    out = ["Pages seen:  " + " -> ".join(frames),
           f"Exit code:   {exit_code} ({exit_meaning(exit_code)})", ""]

    out.append("Files installed, by folder:")
    folders = [(install_dir, None)]
    if pc.spreadsheet:
        # The spreadsheet's own folder holds its files too: show only the product's.
        folders += [(machine.OFFICE_DIR, constants.INSTALLED + constants.TEMPORARY),
                    (machine.XLSTART_DIR, None)]
    for folder, only in folders:
        out.append(f"  {folder}")
        out.append(f"      {_files(session, folder, only)}")
    product_files = [n for n in constants.INSTALLED if n in checks.names(session.unix_path(install_dir))]
    out.append(f"  ({len(product_files)} of the {len(constants.INSTALLED)} product files in the "
               "install folder)")

    out.append("")
    out.append("Handheld files, by user:")
    for index, user in enumerate(pc.users if pc.handheld_desktop else []):
        queue = reg.key(HKCU, f"{machine.DESKTOP_KEY}\\Users\\{index}\\Queue") or {}
        copied = checks.names(session.unix_path(user.directory + "\\Install"))
        queued = sorted(name for name, _ in queue.values())
        line = f"  {user.name}:"
        if queued:
            line += " queued for the next synchronization: " + ", ".join(queued)
        if copied:
            line += f" copied into {user.directory}\\Install: " + ", ".join(copied)
        out.append(line if queued or copied else line + " nothing")

    out.append("")
    shortcuts = pc.programs_dir(session) + "\\Quintara4Palm"
    out.append(f"Shortcuts in {shortcuts}:")
    out.append("      " + _files(session, shortcuts))

    out.append("")
    conduits = reg.subkeys(HKCU, machine.STANDINS + "\\Conduits")
    if conduits:
        for number in sorted(conduits, key=int):
            key = f"{machine.STANDINS}\\Conduits\\{number}"
            args = [reg.string(HKCU, key, f"Arg{n}") for n in range(1, 6)]
            shown = ", ".join([str(args[0])] + [f'"{a}"' for a in args[1:]])
            out.append(f"Conduit registered: InstallShieldInstallConduit({shown})")
    else:
        out.append("Conduit registered: no")

    out.append("")
    values = reg.key(HKCU, constants.PRODUCT_KEY)
    out.append(f"Registry HKEY_CURRENT_USER\\{constants.PRODUCT_KEY}:")
    if values is None:
        out.append("      (no such key)")
    elif not values:
        out.append("      (key present, no values)")
    else:
        for name, value in values.values():
            out.append(f'      {name} = "{value.data}"')
    unregistered = reg.string(HKCU, machine.QUINFRM_KEY, "UnregisterCalls")
    out.append(f"QuinFrm.dll unregistered on the way out: {'yes' if unregistered else 'no'}")
    return out


def uninstall_meaning(code):
    meanings = {value: name.replace("-", " ") for name, value in constants.UNINSTALL_EXIT.items()}
    return meanings.get(code, "unknown")


def removed_state(session, reg, pc, install_dir, frames, exit_code):
    """What the uninstaller left, as a list of lines: the pages, the exit code, what of
    the product remains, and what no uninstaller can take back."""
    out = ["Uninstaller pages seen:  " + " -> ".join(frames),
           f"Exit code:   {exit_code} ({uninstall_meaning(exit_code)})", ""]
    left = uninstaller.leftovers(session, reg, pc, install_dir)
    out.append("Left of the product:  " + ("nothing" if not left else ""))
    out += [f"      {line}" for line in left]
    out.append("Stays for the handheld (no uninstaller can take it back):")
    out += [f"      {line}" for line in uninstaller.what_may_stay(reg, pc)] or ["      nothing"]
    copies = uninstaller.temporary_copies(session)
    if copies:
        out.append("In the temporary folder, deleted at the next restart:")
        out += [f"      {p.name}" for p in copies]
    unregistered = reg.string(HKCU, machine.QUINFRM_KEY, "UnregisterCalls")
    out.append(f"QuinFrm.dll unregistered: {'yes' if unregistered else 'no'}")
    return out
