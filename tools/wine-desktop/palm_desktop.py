"""A Palm Desktop for the Windows program under Wine: a Palm folder with two
users, each with demo pictures of both sizes in Backup, the stand-in
UserData.dll with its UserData.txt naming them, and the registry values
DesktopPath and Path that point at it. Reference pictures come from the
Linux build's qalbum."""
import os
import shutil
import subprocess

from PIL import Image

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), "..", ".."))
LINUX_BIN = os.path.join(ROOT, "build", "bin")
WINDOWS_BIN = os.path.join(ROOT, "build", "windows", "bin")
PALM_KEY = r"HKCU\Software\U.S. Robotics\Pilot Desktop\Core"
APP_TITLE = "Quillory Album"


def list_order(names):
    """The order of the window's picture list: by name with ASCII letters
    folded to upper case, names equal but for case by their bytes."""
    return sorted(names, key=lambda n: (n.upper(), n))


class PalmDesktop:
    """Users in their library's order, each with a share of the demo album.
    The users' folders take their names, so the names are the same whether
    the program asks the library or looks into the Palm folder."""

    USERS = ("Anna", "Tom")

    def __init__(self, folder, linux_bin=LINUX_BIN, windows_bin=WINDOWS_BIN):
        self.folder = folder
        self.linux_bin = linux_bin
        self.palm = os.path.join(folder, "Palm")
        self.references = os.path.join(folder, "references")
        os.makedirs(self.references)
        demo = os.path.join(folder, "demo")
        subprocess.run([os.path.join(linux_bin, "make-demo-album"), demo], check=True, stdout=subprocess.DEVNULL)
        pictures = list_order(os.listdir(demo))
        # Five for the first user, the last three for the second: small and large ones each.
        shares = {self.USERS[0]: pictures[:5], self.USERS[1]: pictures[-3:]}
        for user, share in shares.items():
            backup = os.path.join(self.palm, user, "Backup")
            os.makedirs(backup)
            for name in share:
                shutil.copy(os.path.join(demo, name), backup)
        shutil.rmtree(demo)
        shutil.copy(os.path.join(windows_bin, "UserData.dll"), self.palm)
        with open(os.path.join(self.palm, "UserData.txt"), "w", newline="\r\n") as f:
            f.write("# ID, name, folder below Path\n")
            for number, user in enumerate(self.USERS, 101):
                f.write(f"{number}\t{user}\t{user}\n")

    def register(self, wine):
        """Palm Desktop's registry values in the Wine prefix."""
        wine.reg_add(PALM_KEY, "DesktopPath", wine.windows_path(self.palm))
        wine.reg_add(PALM_KEY, "Path", wine.windows_path(self.palm))

    def databases(self, user):
        """A user's picture databases (full paths) in the window's list order."""
        backup = os.path.join(self.palm, user, "Backup")
        return [os.path.join(backup, name) for name in list_order(os.listdir(backup))]

    def qalbum(self, *args):
        return subprocess.run([os.path.join(self.linux_bin, "qalbum"), *args], check=True, capture_output=True,
                              text=True).stdout

    def picture_name(self, database):
        """The database's picture name, which the window's caption shows."""
        for line in self.qalbum("info", database).splitlines():
            if line.strip().startswith("name:"):
                return line.split(":", 1)[1].strip()
        raise ValueError(f"qalbum info names no picture in {database}")

    def caption(self, database):
        return f"{APP_TITLE} - {self.picture_name(database)}"

    def reference_bmp(self, database):
        """The path of the BMP file that qalbum convert writes for a database."""
        out = os.path.join(self.references, os.path.basename(database) + ".bmp")
        if not os.path.exists(out):
            self.qalbum("convert", database, out)
        return out

    def reference_image(self, database):
        with Image.open(self.reference_bmp(database)) as image:
            return image.convert("RGB")
