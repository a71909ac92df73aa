#!/usr/bin/python3
"""What an installed Telvor gives its user, checked on the build: the manual pages
render cleanly and name the verbs and options --help lists (and no others), each
program prints its version and starts nothing else, the desktop entries and file
types agree, completion offers what telvorctl takes, and an installed tree finds
its page renderer and manual.

The build passes its paths in the environment (see CMakeLists.txt beside this file).
Usage: packaging_test.py [TestClass ...]
"""

import gzip
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

SOURCE = os.environ["TELVOR_SOURCE_DIR"]
BUILD = os.environ["TELVOR_BUILD_DIR"]
VERSION = os.environ["TELVOR_VERSION"]
# name=path of each program the build made
PROGRAMS = dict(item.split("=", 1) for item in os.environ["TELVOR_PROGRAMS"].split(","))
MAN = os.path.join(SOURCE, "docs", "man")
PACKAGING = os.path.join(SOURCE, "packaging")

OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][\w-]*)")


def run(command, **kwargs):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", **kwargs.pop("env", {}))
    return subprocess.run(command, capture_output=True, text=True, env=environment, timeout=60, **kwargs)


def page_text(path):
    """The page's source with dashes and font changes undone."""
    with open(path, encoding="utf-8") as page:
        text = page.read()
    return re.sub(r"\\f[BIRP]", "", text.replace("\\-", "-").replace("\\e", "\\"))


def page_options(text, program):
    """The options the page names, leaving out example lines that run another program."""
    named = []
    in_example = other = False
    for line in text.splitlines():
        if line.startswith((".EX", ".EE")):
            in_example = line.startswith(".EX")
            continue
        if in_example and not other:
            other = bool(line.split()) and line.split()[0] != program
        if not (in_example and other):
            named += OPTION.findall(line)
        other = other and line.endswith("\\")
    return set(named)


def page_verbs(text):
    """The first word of each item of the page's VERBS section."""
    section = re.search(r"^\.SH VERBS\n(.*?)(?=^\.SH )", text, re.S | re.M)
    if not section:
        return set()
    items = re.findall(r"^\.T[PQ]\n(.*)$", section.group(1), re.M)
    return {re.sub(r"^\.\w+\s+", "", item).replace('"', "").split()[0] for item in items}


def help_verbs(text):
    """The verbs --help lists under "verbs:"."""
    section = re.search(r"^verbs:\n(.*?)(?:\n\n|\Z)", text, re.S | re.M)
    return set(re.findall(r"^  ([a-z][\w-]*)", section.group(1), re.M)) if section else set()


class ManPages(unittest.TestCase):
    def test_every_page_renders_without_a_warning(self):
        for page in sorted(os.listdir(MAN)):
            with self.subTest(page=page):
                rendered = run(["groff", "-ww", "-man", "-z", os.path.join(MAN, page)])
                self.assertEqual((rendered.returncode, rendered.stderr), (0, ""))

    def test_every_program_has_a_page(self):
        self.assertEqual({page[:-2] for page in os.listdir(MAN)}, set(PROGRAMS))

    def test_each_page_names_the_verbs_and_options_help_lists(self):
        for name, program in PROGRAMS.items():
            helped = run([program, "--help"])
            if helped.returncode != 0:
                continue  # a program without --help is held to its page by hand
            with self.subTest(program=name):
                text = page_text(os.path.join(MAN, name + ".1"))
                self.assertEqual(page_verbs(text), help_verbs(helped.stdout), "verbs: page against --help")
                self.assertEqual(page_options(text, name), set(OPTION.findall(helped.stdout)),
                                 "options: page against --help")


class Versions(unittest.TestCase):
    def test_each_program_prints_the_version_and_starts_nothing(self):
        for name, program in PROGRAMS.items():
            with self.subTest(program=name), tempfile.TemporaryDirectory() as home:
                folder = os.path.join(home, "telvor")
                shown = run([program, "--version"], env={"TELVOR_HOME": folder})
                self.assertEqual((shown.returncode, shown.stdout), (0, "%s %s\n" % (name, VERSION)))
                self.assertFalse(os.path.exists(folder), "the program folder was made")


class DesktopEntries(unittest.TestCase):
    def entries(self):
        return [os.path.join(PACKAGING, name) for name in sorted(os.listdir(PACKAGING)) if name.endswith(".desktop")]

    def test_desktop_file_validate_is_silent(self):
        checked = run(["desktop-file-validate"] + self.entries())
        self.assertEqual((checked.returncode, checked.stdout + checked.stderr), (0, ""))

    def test_entries_open_files_of_declared_types_with_their_icons(self):
        # Elements in the file's own namespace, whatever it is named.
        types = ElementTree.parse(os.path.join(PACKAGING, "telvor-mime.xml")).findall("{*}mime-type")
        globs = {glob.get("pattern") for kind in types for glob in kind.findall("{*}glob")}
        self.assertTrue({"*.vx3", "*.mvx"} <= globs)
        for kind in types:
            icon = kind.find("{*}icon").get("name")
            self.assertTrue(os.path.isfile(os.path.join(PACKAGING, icon + ".svg")), icon)
        declared = {kind.get("type") for kind in types}
        for entry in self.entries():
            with self.subTest(entry=os.path.basename(entry)):
                fields = dict(line.split("=", 1) for line in open(entry, encoding="utf-8") if "=" in line)
                program, argument = fields["Exec"].split()
                self.assertIn(program, PROGRAMS)
                self.assertEqual(argument, "%f")
                opened = set(filter(None, fields["MimeType"].strip().split(";")))
                self.assertTrue(opened and opened <= declared, opened)


class Completion(unittest.TestCase):
    CASES = [
        # the words typed, the word under the cursor last; what is offered
        (["s"], ["scan", "set", "settings", "show"]),
        (["--trace", "re"], ["read", "restore"]),
        (["--v"], ["--version"]),
        (["set", "a.vx3", "b9"], ["b90", "b91", "b92", "b93", "b94", "b95", "b96", "b97"]),
        (["put", "--station", "3", "A1"], ["A10", "A11", "A12"]),
        (["definite", "--add", "A01", "b0"], ["b0%d" % n for n in range(10)]),
        (["show", ""], ["a.vx3", "b.mvx", "sub"]),
        (["print", "a.vx3", "-o", ""], ["c.pdf", "sub"]),
        (["compare", ""], ["defaults", "drive", "files"]),
        (["compare", "defaults", "-o", ""], ["b.mvx", "sub"]),
        (["read", "--parity", ""], ["even", "none", "odd"]),
        (["read", "--port", "COM"], ["COM%d" % n for n in range(1, 9)]),
        (["monitor", "--stations", "1-3", "--f"], ["--fun"]),
        (["backup", "--stations", "1-4", ""], ["sub"]),
    ]

    def test_offers_verbs_options_codes_and_files_of_the_asked_kind(self):
        script = os.path.join(PACKAGING, "telvorctl.bash")
        telvorctl = PROGRAMS["telvorctl"]
        with tempfile.TemporaryDirectory() as folder:
            for name in ("a.vx3", "b.mvx", "c.pdf", "d.txt"):
                open(os.path.join(folder, name), "w").close()
            os.mkdir(os.path.join(folder, "sub"))
            for words, offered in self.CASES:
                with self.subTest(words=words):
                    line = " ".join("'%s'" % word for word in [telvorctl] + words)
                    driver = ('source "$1"; COMP_WORDS=(%s); COMP_CWORD=%d; _telvorctl; '
                              'printf "%%s\\n" "${COMPREPLY[@]}"' % (line, len(words)))
                    result = run(["bash", "-c", driver, "bash", script], cwd=folder)
                    self.assertEqual(result.stderr, "")
                    self.assertEqual(sorted(set(result.stdout.split())), sorted(offered))


class InstalledTree(unittest.TestCase):
    def test_the_installed_programs_find_their_files(self):
        with tempfile.TemporaryDirectory() as root:
            prefix = os.path.join(root, "usr")
            installed = run([os.environ["TELVOR_CMAKE"], "--install", BUILD, "--prefix", prefix])
            self.assertEqual(installed.returncode, 0, installed.stderr)
            expected = ["bin/" + name for name in PROGRAMS] + [
                "libexec/telvor/telvorctl-print",
                "share/doc/telvor/TelvorPC.html", "share/doc/telvor/copyright", "share/doc/telvor/changelog.gz",
                "share/applications/telvor.desktop", "share/applications/telvorpda.desktop",
                "share/mime/packages/telvor.xml", "share/bash-completion/completions/telvorctl",
                "share/icons/hicolor/scalable/apps/telvor.svg", "share/icons/hicolor/48x48/apps/telvor.png",
                "share/icons/hicolor/scalable/mimetypes/application-x-telvor-parameters.svg",
            ] + ["share/man/man1/%s.1.gz" % name for name in PROGRAMS]
            for path in expected:
                self.assertTrue(os.path.isfile(os.path.join(prefix, path)), path)
            with gzip.open(os.path.join(prefix, "share/doc/telvor/changelog.gz"), "rt") as changelog:
                self.assertTrue(changelog.readline().startswith("telvor (%s) " % VERSION))

            # telvorctl, moved away from the build, starts the installed page renderer.
            pdf = os.path.join(root, "out.pdf")
            printed = run([os.path.join(prefix, "bin/telvorctl"), "print",
                           os.path.join(SOURCE, "tests/data/parameter_model8_60hz.vx3"), "-o", pdf],
                          env={"TELVOR_HOME": os.path.join(root, "home")})
            self.assertEqual((printed.returncode, printed.stderr), (0, ""))
            with open(pdf, "rb") as written:
                self.assertEqual(written.read(5), b"%PDF-")
            shutil.rmtree(os.path.join(prefix, "libexec"))
            missing = run([os.path.join(prefix, "bin/telvorctl"), "print",
                           os.path.join(SOURCE, "tests/data/parameter_model8_60hz.vx3"), "-o", pdf + "2"])
            self.assertEqual(missing.returncode, 1)
            self.assertIn("the page renderer", missing.stderr)


if __name__ == "__main__":
    unittest.main()
