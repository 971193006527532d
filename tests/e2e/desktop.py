"""The tests' desktop: a virtual X display, a Wine prefix of their own, the
probe program inside it, and the real wordvane.exe in program folders made
for each case. Every process started here is ended by its id."""

import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path


class Timeout(AssertionError):
    pass


def wait_for(condition, timeout, what, interval=0.1):
    """Polls `condition` until it returns something true; that is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class VirtualDisplay:
    """Xvfb on the first free display number from :90."""

    def __init__(self):
        self.number = next(n for n in range(90, 200)
                           if not Path(f"/tmp/.X{n}-lock").exists()
                           and not Path(f"/tmp/.X11-unix/X{n}").exists())
        self.name = f":{self.number}"
        self.process = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: Path(f"/tmp/.X11-unix/X{self.number}").exists(), 20,
                 "the virtual display")

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class WinePrefix:
    """A Wine prefix under the build folder, made once and kept."""

    def __init__(self, path, display):
        self.path = Path(path)
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": str(self.path),
            "WINEDEBUG": "-all",
            # No Mono or Gecko installers: the tests need neither.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "DISPLAY": display,
            "WINEARCH": "win64",
        })
        marker = self.path / ".wordvane-ready"
        if not marker.exists():
            subprocess.run(["wineboot", "-i"], env=self.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
            # Keys typed on the display reach Wine's foreground window.
            self.run_wine(["reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "UseTakeFocus",
                           "/t", "REG_SZ", "/d", "N", "/f"])
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=120)
            marker.touch()
        fonts = self.path / ".wordvane-fonts"
        if not fonts.exists():
            # Japanese glyphs for the system's fonts.
            script = Path(__file__).resolve().parents[2] / "scripts" / "wine-fonts.sh"
            subprocess.run(["bash", str(script)], env=self.env, check=True, timeout=300,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            fonts.touch()

    def run_wine(self, arguments, timeout=60):
        """Runs a program in the prefix and returns its standard output. The
        output goes through a file, not a pipe: Wine's own services, which the
        first program may start, would keep a pipe open long after it ended."""
        with tempfile.TemporaryFile() as output:
            subprocess.run(["wine", *arguments], env=self.env, stdout=output,
                           stderr=subprocess.DEVNULL, timeout=timeout)
            output.seek(0)
            return output.read()

    def drive_c(self):
        return self.path / "drive_c"

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60)


def windows_path(path):
    """A Linux path as the prefix's programs see it (drive Z: is /)."""
    return "Z:" + str(path).replace("/", "\\")


def tray_menu_captions(log):
    """The (flags, caption) of the last tray menu a program built, from the
    Wine trace (+menu) in `log`."""
    text = Path(log).read_text("utf-8", errors="replace")
    lines = re.findall(r'trace:menu:InsertMenuW hMenu (\w+), pos -?\d+, flags (\w+), '
                       r'id \w+, str (L"(?:[^"\\]|\\.)*"|\w+)', text)
    menus = {}
    for menu, flags, caption in lines:
        menus.setdefault(menu, []).append((int(flags, 16), decode_wine_string(caption)))
    tray_menus = [items for items in menus.values()
                  if any(caption == "終了" for _, caption in items)]
    return tray_menus[-1] if tray_menus else None


class Probe:
    """wvprobe.exe: lists windows and menus, posts messages, clicks buttons."""

    def __init__(self, prefix, helpers):
        self.prefix = prefix
        self.exe = Path(helpers) / "wvprobe.exe"

    def _lines(self, *arguments):
        output = self.prefix.run_wine([str(self.exe), *arguments])
        return [json.loads(line) for line in output.decode("utf-8").splitlines()
                if line.startswith("{")]

    def windows(self):
        return self._lines("windows")

    def clipboard(self):
        lines = self._lines("getclip")
        return lines[0]["clipboard"] if lines else None

    def set_clipboard(self, text, exclude=False):
        """Puts `text` on the clipboard; `exclude` marks it as a password
        manager marks its copies."""
        self.prefix.run_wine([str(self.exe), "setclip", text] + (["exclude"] if exclude else []))

    def request_quit(self, window):
        """The installer's quit request ("Wordvane.Quit") to `window`."""
        self.prefix.run_wine([str(self.exe), "quit", str(window)])

    def post(self, window, message, wparam=0, lparam=0):
        self.prefix.run_wine([str(self.exe), "post", str(window), str(message), str(wparam),
                              str(lparam)])

    def line_pixels(self, list_box, line):
        """Line `line` of a list box as drawn on the screen: a hash of its
        pixels and how many differ from its background."""
        return self._lines("linepixels", str(list_box), str(line))[0]

    def foreground(self):
        return self._lines("foreground")[0]["foreground"]

    def front(self, window=None):
        """The foreground window (or `window`), the control with the keyboard
        in its thread and the X window that shows it."""
        return self._lines("foreground", *([str(window)] if window else []))[0]

    def pixels(self, rect):
        """The screen inside `rect` (left, top, right, bottom): a hash of its
        pixels and how many differ from its first one."""
        left, top, right, bottom = rect
        return self._lines("pixels", str(left), str(top), str(right - left),
                           str(bottom - top))[0]

    def set_image(self):
        """A small CF_DIB image and an "HTML Format" text on the clipboard."""
        self.prefix.run_wine([str(self.exe), "setimage"])

    def clipboard_format(self, format):
        """The bytes of one clipboard format (a number or a registered name), in hex."""
        lines = self._lines("getformat", str(format))
        return lines[0]["bytes"] if lines else None

    def choose(self, dialog, combo_id, index):
        self.prefix.run_wine([str(self.exe), "choose", str(dialog), str(combo_id), str(index)])

    def click(self, dialog, button_id):
        self.prefix.run_wine([str(self.exe), "click", str(dialog), str(button_id)])

    def message_boxes(self, title="Wordvane"):
        """Visible dialogs with `title` and the texts of their static controls."""
        boxes = []
        for window in self.windows():
            if window["class"] == "#32770" and window["visible"] and window["title"] == title:
                texts = [child["text"] for child in window["children"]
                         if child["class"].lower() == "static" and child["text"]]
                boxes.append({"hwnd": window["hwnd"], "texts": texts})
        return boxes

    def tray_icons(self):
        return [child for window in self.windows()
                if window["class"] == "__winex11_standalone_tray"
                for child in window["children"] if child["class"] == "__winex11_tray_icon"]


class Wordvane:
    """wordvane.exe in a program folder of its own inside the prefix."""

    def __init__(self, prefix, program_folder, case):
        self.prefix = prefix
        self.folder = prefix.drive_c() / "wordvane-e2e" / case
        if self.folder.exists():
            shutil.rmtree(self.folder)
        shutil.copytree(program_folder, self.folder)
        self.processes = []
        self.log = self.folder.parent / f"{case}.log"

    def start(self, trace_menus=False, trace_messages=False):
        env = dict(self.prefix.env)
        if trace_menus:
            # Wine's own trace of the menus the program builds: the tests read
            # the captions of the tray menu from it.
            env["WINEDEBUG"] = "-all,+menu"
        if trace_messages:
            # Every message the program takes from its queue.
            env["WINEDEBUG"] = "-all,+msg"
        log = open(self.log, "ab")
        process = subprocess.Popen(["wine", str(self.folder / "wordvane.exe")], env=env,
                                   stdout=log, stderr=log, start_new_session=True)
        log.close()
        self.processes.append(process)
        return process

    def log_size(self):
        return self.log.stat().st_size if self.log.exists() else 0

    def timer_messages(self, since):
        """The timer messages the program took from its queue after byte
        `since` of its log (started with trace_messages)."""
        with open(self.log, "rb") as log:
            log.seek(since)
            return sum(1 for line in log if b"got type" in line and b"(WM_TIMER)" in line)

    def files(self):
        return {p.name: p.read_bytes() for p in self.folder.iterdir()
                if p.is_file() and p.suffix in (".txt", ".ini")}

    def age_files(self):
        """Sets every list and settings file to an old time, so that a rewrite shows."""
        for path in self.folder.iterdir():
            if path.suffix in (".txt", ".ini"):
                os.utime(path, (946684800, 946684800))

    def rewritten(self):
        return sorted(p.name for p in self.folder.iterdir()
                      if p.suffix in (".txt", ".ini") and p.stat().st_mtime > 946684800 + 1)

    def windows_of(self, probe, process_windows_class="WordvaneForm"):
        return [w for w in probe.windows() if w["class"] == process_windows_class]

    def start_target(self, helpers, name="target"):
        """wvtarget.exe, which writes its edit box's text to NAME.txt on every
        change; its window is "Wordvane Target" (or "Wordvane NAME")."""
        output = self.folder / f"{name}.txt"
        if name == "target":
            self.target_output = output
        process = subprocess.Popen(
            ["wine", str(Path(helpers) / "wvtarget.exe"), str(output)],
            env=self.prefix.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        self.processes.append(process)
        return process

    def start_clipboard_owner(self, helpers):
        """wvowner.exe: a clipboard owner that renders late; the formats it is
        asked to render are written to owner.txt, which exists once it has
        offered them."""
        return self._start_logging_helper(helpers, "wvowner.exe", self.folder / "owner.txt",
                                          str)

    def _start_logging_helper(self, helpers, exe, log, path_as):
        """A helper program that writes to `log` (named as `path_as` makes it)."""
        self.processes.append(subprocess.Popen(
            ["wine", str(Path(helpers) / exe), path_as(log)],
            env=self.prefix.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True))
        return log

    def start_winevent_listener(self, helpers):
        """wvwinevents.exe: a WinEvent hook out of context, as a screen
        reader sets it; the list box item events it hears go to
        winevents.txt, which exists once the hook is set."""
        return self._start_logging_helper(helpers, "wvwinevents.exe",
                                          self.folder / "winevents.txt", windows_path)

    def hold_file(self, helpers, name, milliseconds):
        """Another program holds NAME open for a while, as a virus scanner
        does; returns once it has it."""
        held = self.folder / f"{name}.held"
        held.unlink(missing_ok=True)
        with open(held, "wb") as output:
            self.processes.append(subprocess.Popen(
                ["wine", str(Path(helpers) / "wvprobe.exe"), "hold", windows_path(self.folder / name),
                 str(milliseconds)], env=self.prefix.env, stdout=output,
                stderr=subprocess.DEVNULL, start_new_session=True))
        wait_for(lambda: b"held" in held.read_bytes(), 30, f"{name} to be held")

    def target_text(self):
        try:
            return self.target_output.read_text("utf-8")
        except FileNotFoundError:
            return None

    def stop_all(self):
        for process in self.processes:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait(10)

    def menu_captions(self):
        return tray_menu_captions(self.log)


    def drawn_menu_items(self):
        """The items of the pop-up menu the program drew last, from Wine's trace:
        (caption, checked, rectangle inside the menu window)."""
        text = self.log.read_text("utf-8", errors="replace")
        drawings = text.split("trace:menu:draw_popup_menu wnd=")
        if len(drawings) < 2:
            return []
        items = re.findall(r'draw_menu_item \{ ID=\w+,(?: Sub=\w+,)?(?: fType=\w+,)?'
                           r'(?: State=(\w+),)? Text=(L"(?:[^"\\]|\\.)*")\s*\}\s*\n'
                           r'[^\n]*draw_menu_item rect=\((-?\d+),(-?\d+)\)-\((-?\d+),(-?\d+)\)',
                           drawings[-1])
        return [(decode_wine_string(caption), state == "check",
                 (int(left), int(top), int(right), int(bottom)))
                for state, caption, left, top, right, bottom in items]


def decode_wine_string(text):
    """Wine's debugstr_w form (L"..." with \\XXXX escapes) to a Python string."""
    if not text.startswith('L"'):
        return None
    body = text[2:-1]
    return re.sub(r"\\([0-9a-fA-F]{4})|\\(.)",
                  lambda m: chr(int(m.group(1), 16)) if m.group(1) else
                  {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(2), m.group(2)), body)


def xdotool(display, *arguments):
    result = subprocess.run(["xdotool", *arguments], env={**os.environ, "DISPLAY": display},
                            check=True, timeout=30, capture_output=True)
    return result.stdout.decode()


class Keyboard:
    """Keys typed on the display. Each key is held for 100 ms: Wine refreshes
    the key state that GetAsyncKeyState reads about every 50 ms."""

    def __init__(self, display):
        self.display = display

    def focus(self, title):
        window = wait_for(lambda: xdotool(self.display, "search", "--name", title).split(),
                          30, f"the window {title!r}")[0]
        xdotool(self.display, "windowfocus", "--sync", window)

    def press(self, key):
        xdotool(self.display, "keydown", key)
        time.sleep(0.1)
        xdotool(self.display, "keyup", key)
        time.sleep(0.1)

    def type(self, text):
        for character in text:
            self.press(character)
