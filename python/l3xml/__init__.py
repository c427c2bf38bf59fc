"""l3xml: a framework's layer-3 (RRC) XML files from Python.

A framework folder holds PIXIT parameter files with their type definitions, an association
file, and message templates (one protocol message as a tree of elements whose leaf texts are
the field values). This module opens such a folder, loads a campaign's parameters, writes them
into working copies of the templates, flattens a template into the one-line value string its
message encoder reads, and reads and writes single values. It wraps the library's modern C++
interface (<l3xml/framework.h>); every rule is the library's own.

    import l3xml

    fw = l3xml.Framework("/path/to/framework")
    campaign = fw.load_campaign()            # the PIXIT file at the root, association applied
    campaign.set("px_T300", "1000")
    fw.apply(campaign)                       # into every template's working copy
    for entry in fw:                         # every template of the search folders
        print(entry.label, fw.template(entry).flatten(campaign))

Templates in the framework's folders are never changed: every write goes to a working copy
under the work folder (temp/PrimaryCell/, temp/SecondaryCell/ or temp/), which the lookup reads
first when the work folder is the system folder (the default). Framework.temporary_work()
gives a framework whose writes go to a temporary place.

Errors: an operation that fails raises an l3xml.Error subclass (NotFoundError,
MalformedError, UnresolvedReferenceError, SelectorError, InvalidValueError, WriteError) whose
.diagnostics hold what the library found, each an l3xml.Diagnostic (severity, code, file,
line, column, message; the codes are in l3xml.codes). With check=False the operation returns
an l3xml.Result (value, diagnostics) instead and raises nothing; its value is what could be
made, or None. Warnings of a successful call are issued as DiagnosticWarning (see the
warnings module).

Threads: the library serves one calling thread at a time. Each call into it holds the GIL
from start to end, so calls from several Python threads take turns and never overlap; do not
call the library from threads that do not hold the GIL (C extensions of your own). Objects
returned are plain values, safe to share between threads.

The library logs to Debug_Log.log in the current folder unless L3XML_LOG says otherwise
(L3XML_LOG=- for standard error, L3XML_LOG=none for nothing).
"""

from __future__ import annotations

import contextlib
import os
import shutil
import tempfile
import warnings
from collections.abc import Mapping
from typing import Iterator, List, Optional, Sequence, Union

from . import _l3xml
from ._l3xml import (
    AssociationMode,
    Base,
    Binding,
    Campaign,
    Change,
    Changes,
    Diagnostic,
    FieldDifference,
    Location,
    Node,
    NodeKind,
    Parameter,
    Position,
    Reach,
    Reference,
    Severity,
    TemplateEntry,
    TypeDefinition,
    WorkingCopy,
    codes,
)

__all__ = [
    "AssociationMode",
    "Base",
    "Binding",
    "Campaign",
    "Change",
    "Changes",
    "Diagnostic",
    "DiagnosticWarning",
    "Error",
    "FieldDifference",
    "Framework",
    "InvalidValueError",
    "Location",
    "MalformedError",
    "Node",
    "NodeKind",
    "NotFoundError",
    "PRIMARY_CELL",
    "Parameter",
    "Position",
    "Reach",
    "Reference",
    "Result",
    "SECONDARY_CELL",
    "SelectorError",
    "Severity",
    "Template",
    "TemplateEntry",
    "TypeDefinition",
    "UnresolvedReferenceError",
    "WorkingCopy",
    "WriteError",
    "codes",
]

PRIMARY_CELL = "PrimaryCell"
SECONDARY_CELL = "SecondaryCell"

Mapping.register(Campaign)


class Error(Exception):
    """An operation of the library failed.

    .diagnostics holds every diagnostic of the call (errors, warnings, notes); .value what the
    call could make despite the errors (a flattened line with an unresolved reference), or None.
    str() gives the errors, one per line.
    """

    def __init__(self, diagnostics: Sequence[Diagnostic], value: object = None) -> None:
        self.diagnostics: List[Diagnostic] = list(diagnostics)
        self.value = value
        errors = [d for d in self.diagnostics if d.is_error] or self.diagnostics
        super().__init__("\n".join(str(d) for d in errors) or "the operation failed")


class NotFoundError(Error):
    """A file is not where the framework's lookup looks for it (or no folder is set)."""


class MalformedError(Error):
    """A file does not parse, or is too deep or too long to flatten."""


class UnresolvedReferenceError(Error):
    """A template refers to a PIXIT parameter that the campaign does not define."""


class SelectorError(Error):
    """A node name or dotted path selects nothing, or an index is out of range."""


class InvalidValueError(Error):
    """A parameter's value does not fit its type (enumerator, Boolean, range, binary)."""


class WriteError(Error):
    """A working copy could not be written or removed."""


class DiagnosticWarning(UserWarning):
    """A warning the library reported during a call that succeeded; .diagnostic holds it."""

    def __init__(self, diagnostic: Diagnostic) -> None:
        super().__init__(str(diagnostic))
        self.diagnostic = diagnostic


_ERRORS = {
    codes.MISSING_FILE: NotFoundError,
    codes.MISSING_TEMPLATE: NotFoundError,
    codes.NO_FRAMEWORK: NotFoundError,
    codes.MALFORMED_XML: MalformedError,
    codes.TOO_DEEP: MalformedError,
    codes.LINE_TOO_LONG: MalformedError,
    codes.UNRESOLVED_REFERENCE: UnresolvedReferenceError,
    codes.BAD_SELECTOR: SelectorError,
    codes.UNKNOWN_TYPE: InvalidValueError,
    codes.BAD_ENUM: InvalidValueError,
    codes.BAD_BOOLEAN: InvalidValueError,
    codes.OUT_OF_RANGE: InvalidValueError,
    codes.BAD_BINARY: InvalidValueError,
    codes.WRITE_FAILED: WriteError,
    codes.REFUSED_NAME: NotFoundError,
    codes.BAD_VALUE: InvalidValueError,
}


class Result:
    """What an operation called with check=False gives: its value (None when it made none) and
    the diagnostics of the call. Unpacks as (value, diagnostics)."""

    __slots__ = ("value", "diagnostics")

    def __init__(self, value: object, diagnostics: Sequence[Diagnostic]) -> None:
        self.value = value
        self.diagnostics: List[Diagnostic] = list(diagnostics)

    @property
    def ok(self) -> bool:
        """A value and no error."""
        return self.value is not None and not any(d.is_error for d in self.diagnostics)

    def __bool__(self) -> bool:
        return self.ok

    def __iter__(self) -> Iterator[object]:
        return iter((self.value, self.diagnostics))

    def __repr__(self) -> str:
        return f"Result({self.value!r}, {self.diagnostics!r})"


# A failure that has several errors is named by its cause: a missing file makes a load fail to
# parse too, a write that fails leaves a value unchanged.
_CAUSES = (NotFoundError, MalformedError, WriteError, SelectorError, InvalidValueError, UnresolvedReferenceError)


def _error_for(diagnostics: Sequence[Diagnostic], value: object) -> Error:
    found = {_ERRORS.get(d.code, Error) for d in diagnostics if d.is_error}
    return next((cls for cls in _CAUSES if cls in found), Error)(diagnostics, value)


def _finish(outcome: tuple, check: bool):
    value, diagnostics = outcome
    if not check:
        return Result(value, diagnostics)
    if value is None or any(d.is_error for d in diagnostics):
        raise _error_for(diagnostics, value)
    for diagnostic in diagnostics:
        if diagnostic.severity == Severity.WARNING:
            warnings.warn(DiagnosticWarning(diagnostic), stacklevel=3)
    return value


def _merge(outcomes: Sequence[tuple]) -> tuple:
    values = [value for value, _ in outcomes if value is not None]
    diagnostics = [d for _, found in outcomes for d in found]
    return values, diagnostics


TemplateName = Union[str, "Template", TemplateEntry]


class Framework:
    """A framework folder: the search list over it, its campaigns and templates, and writes into
    working copies. A plain value: it remembers four settings and reads the files afresh on
    every call.

    system  the framework's (system) folder
    user    the user's folder, searched before the system folder (None: none)
    cell    'PrimaryCell' or 'SecondaryCell': which cell's search list finds templates
    work    where working copies go (None: the system folder, where the lookup reads them back)

    Operations that take a template accept its file name, a Template or a TemplateEntry (whose
    cell is then used). Iterating a framework gives its TemplateEntry objects.
    """

    def __init__(
        self,
        system: Union[str, os.PathLike],
        user: Union[str, os.PathLike, None] = None,
        cell: str = PRIMARY_CELL,
        work: Union[str, os.PathLike, None] = None,
    ) -> None:
        self._fw = _l3xml.Framework(
            os.fspath(system), os.fspath(user) if user is not None else "", cell, os.fspath(work) if work else ""
        )

    @classmethod
    def _wrap(cls, fw: _l3xml.Framework) -> "Framework":
        framework = cls.__new__(cls)
        framework._fw = fw
        return framework

    @classmethod
    @contextlib.contextmanager
    def temporary_work(
        cls,
        system: Union[str, os.PathLike],
        user: Union[str, os.PathLike, None] = None,
        cell: str = PRIMARY_CELL,
        copy: bool = True,
    ) -> Iterator["Framework"]:
        """A framework whose writes go to a temporary folder, removed when the block ends.

        with l3xml.Framework.temporary_work(path) as fw: ...

        copy=True (the default): the framework runs on a copy of the system folder (its temp/
        folder of working copies left out), which is also the work folder, so that working
        copies are read back as the framework reads them and the folder itself is never
        written. copy=False: only the work folder is temporary; the lookup then does not read
        the working copies back (flatten and get see the templates).
        """
        with tempfile.TemporaryDirectory(prefix="l3xml-") as folder:
            if copy:
                base = os.path.basename(os.path.normpath(os.fspath(system))) or "framework"
                target = os.path.join(folder, base)
                shutil.copytree(system, target, ignore=lambda where, names: ["temp"] if where == os.fspath(system) else [])
                yield cls(target, user, cell, target)
            else:
                yield cls(system, user, cell, folder)

    @property
    def system(self) -> str:
        return self._fw.system

    @property
    def user(self) -> Optional[str]:
        return self._fw.user or None

    @property
    def cell(self) -> str:
        return self._fw.cell

    @property
    def work(self) -> str:
        """Where working copies go."""
        return self._fw.work or self._fw.system

    def with_cell(self, cell: str) -> "Framework":
        """The same framework with another current cell."""
        return Framework._wrap(self._fw.with_cell(cell))

    def __repr__(self) -> str:
        extra = "".join(
            f", {name}={value!r}"
            for name, value in (("user", self.user), ("cell", self.cell), ("work", self._fw.work or None))
            if value is not None and not (name == "cell" and value == PRIMARY_CELL)
        )
        return f"Framework({self.system!r}{extra})"

    def _target(self, template: TemplateName) -> tuple:
        """The framework of the template's cell and its file name."""
        if isinstance(template, Template):
            return template.framework._fw, template.name
        if isinstance(template, TemplateEntry):
            return self._fw.with_cell(template.cell), template.name
        return self._fw, os.fspath(template)

    # The lookup and the files of the framework.

    def find(self, name: str) -> Optional[Location]:
        """Where the lookup finds a file, working copies first as the library reads them; None
        when it is nowhere."""
        return self._fw.find(name)

    def find_template(self, name: str) -> Optional[Location]:
        """The template itself: the lookup with the working copies left out."""
        return self._fw.find_template(name)

    def working_copy_path(self, template: TemplateName) -> Optional[str]:
        """Where a write into the template goes; None when the lookup finds no such file."""
        fw, name = self._target(template)
        return fw.working_copy_path(name)

    def templates(self) -> List[TemplateEntry]:
        """Every template of the search folders of both cells: primary cell, secondary cell, then
        NAS messages (which take the current cell), each in name order."""
        return self._fw.templates()

    def __iter__(self) -> Iterator[TemplateEntry]:
        return iter(self._fw.templates())

    def pixit_files(self) -> List[str]:
        """The files at the framework's root that hold PIXIT parameters, in name order."""
        return self._fw.pixit_files()

    def type_file(self, pixit: str) -> Optional[Location]:
        """The type file that goes with a PIXIT file (chosen by its name), where the lookup finds it."""
        return self._fw.type_file(pixit)

    def association_file(self) -> Optional[Location]:
        """AssociationFile.xml where the lookup finds it."""
        return self._fw.association_file()

    def working_copies(self) -> List[WorkingCopy]:
        """The working copies under the work folder, in the order of templates()."""
        return self._fw.working_copies()

    def remove_working_copy(self, template: TemplateName, *, check: bool = True):
        """Removes the template's working copy so that the template is read again; False when
        there was none."""
        fw, name = self._target(template)
        return _finish(fw.remove_working_copy(name), check)

    # Campaigns.

    def load_campaign(
        self,
        pixit: Union[str, os.PathLike, None] = None,
        types: Union[str, os.PathLike, None] = None,
        associate: Union[bool, AssociationMode] = True,
        *,
        check: bool = True,
    ):
        """Reads a campaign: a PIXIT file (None: the one at the framework's root), its type file
        (None: the one the PIXIT file's name chooses) and the association file.

        associate=True writes each association binding's value into its template's working copy,
        as the framework does at the start of a campaign (AssociationMode.APPLY); False does not
        read the association file (AssociationMode.SKIP); AssociationMode.READ reads and
        converts the bindings (Campaign.bindings) without writing anything.
        """
        if isinstance(associate, AssociationMode):
            mode = associate
        else:
            mode = AssociationMode.APPLY if associate else AssociationMode.SKIP
        return _finish(
            self._fw.load_campaign(os.fspath(pixit) if pixit else "", os.fspath(types) if types else "", mode), check
        )

    def _reading_campaign(self) -> tuple:
        """The campaign that reading commands resolve references with: the framework's one PIXIT
        file, loaded without the association step; none when there is not exactly one."""
        files = self._fw.pixit_files()
        if len(files) != 1:
            return None, []
        return self._fw.load_campaign(files[0], "", AssociationMode.SKIP)

    # Templates.

    def template(self, template: TemplateName, *, check: bool = True):
        """The template the lookup finds for a file name (its working copy, if one stands first),
        read into a tree."""
        fw, name = self._target(template)
        value, diagnostics = fw.load_template(name)
        return _finish((Template(Framework._wrap(fw), value) if value is not None else None, diagnostics), check)

    def read_template(self, path: Union[str, os.PathLike], *, check: bool = True):
        """A template file named by its path, read without the lookup."""
        value, diagnostics = self._fw.read_template(os.fspath(path))
        return _finish((Template(self, value) if value is not None else None, diagnostics), check)

    def _with_campaign(self, campaign: Optional[Campaign], call) -> tuple:
        diagnostics: list = []
        if campaign is None:
            campaign, diagnostics = self._reading_campaign()
            if diagnostics and campaign is None:
                return None, diagnostics
        value, found = call(campaign)
        return value, diagnostics + found

    def flatten(self, template: TemplateName, campaign: Optional[Campaign] = None, *, check: bool = True):
        """The flattened line of what the lookup finds for the template, PIXIT references
        resolved from the campaign. With no campaign, references resolve as the l3xml command's
        flatten resolves them: from the framework's one PIXIT file, loaded without the
        association step (unresolved when there is not exactly one)."""
        fw, name = self._target(template)
        return _finish(self._with_campaign(campaign, lambda c: fw.flatten(name, c)), check)

    def get(
        self, template: TemplateName, selector: str, campaign: Optional[Campaign] = None, *, check: bool = True
    ):
        """The values at a node name (every element of that name) or a dotted path from the root,
        references resolved as flatten() resolves them."""
        fw, name = self._target(template)
        return _finish(self._with_campaign(campaign, lambda c: fw.get(name, selector, c)), check)

    def message_type(self, template: TemplateName, *, check: bool = True):
        """The message type: the root element's name, as the library tells it."""
        fw, name = self._target(template)
        return _finish(fw.message_type(name), check)

    # Writes: each returns what it changed in the working copy.

    def set(
        self,
        template: TemplateName,
        selector: str,
        value: str,
        index: Optional[int] = None,
        *,
        check: bool = True,
    ):
        """Writes value at a node name (every element of that name, or only the index-th from 0)
        or a dotted path, into the template's working copy. A selector that selects nothing is an
        error (SelectorError)."""
        fw, name = self._target(template)
        return _finish(fw.set(name, selector, str(value), index), check)

    def apply(self, campaign: Campaign, template: Optional[TemplateName] = None, *, check: bool = True):
        """Writes every parameter whose comment names the template into its working copy, as the
        framework does when it meets the file. template=None: every template of templates(),
        each in its cell; the result is then a list of Changes, one per template."""
        if template is not None:
            fw, name = self._target(template)
            return _finish(fw.apply(campaign, name), check)
        outcomes = [self._fw.with_cell(e.cell).apply(campaign, e.name) for e in self._fw.templates()]
        return _finish(_merge(outcomes), check)

    def rename(self, template: TemplateName, old: str, new: str, *, check: bool = True):
        """Renames elements by a text rewrite of the template into the working copy under temp/."""
        fw, name = self._target(template)
        return _finish(fw.rename(name, old, new), check)

    def compare(self, template: TemplateName, *, check: bool = True):
        """The differences between the template and its working copy (none without a copy)."""
        fw, name = self._target(template)
        return _finish(fw.compare(name), check)

    # Campaign checking.

    def check(
        self, pixit: Union[str, os.PathLike, None] = None, types: Union[str, os.PathLike, None] = None
    ) -> List[Diagnostic]:
        """Reads every template, the PIXIT, type and association files, and returns every problem
        it finds. It changes nothing."""
        return self._fw.check(os.fspath(pixit) if pixit else "", os.fspath(types) if types else "")

    def impact(self, campaign: Campaign, parameter: str, *, check: bool = True):
        """Every template and field that a parameter reaches (its comment's file list,
        placeholders, association bindings)."""
        return _finish(self._fw.impact(campaign, parameter), check)

    def compare_campaigns(self, before: Campaign, after: Campaign, *, check: bool = True):
        """Field by field, what changes in the templates between two campaigns."""
        return _finish(self._fw.compare_campaigns(before, after), check)


class Template:
    """A template read into a tree, which remembers its framework and cell.

    root, name, path and type describe the file as it was read; flatten(), get() and set() go
    through the framework's lookup each time, so they see a working copy written since.
    Iterating a template gives its nodes in document order.
    """

    def __init__(self, framework: Framework, tree: "_l3xml.TemplateTree") -> None:
        self._framework = framework
        self._tree = tree

    @property
    def framework(self) -> Framework:
        """The framework it was read from, with the cell whose search list found it."""
        return self._framework

    @property
    def name(self) -> str:
        """The file name, as the framework knows it."""
        return self._tree.name

    @property
    def path(self) -> str:
        """The file it was read from."""
        return self._tree.path

    @property
    def cell(self) -> str:
        return self.framework.cell

    @property
    def type(self) -> str:
        """The message type: the root element's local name."""
        return self._tree.type

    @property
    def root(self) -> Node:
        """The root element."""
        return self._tree.root

    def references(self) -> List[Reference]:
        """The nodes whose text is a PIXIT reference, in document order."""
        return self._tree.references

    def __iter__(self) -> Iterator[Node]:
        # An explicit stack: a deep template does not meet the recursion limit.
        stack = [self._tree.root]
        while stack:
            node = stack.pop()
            yield node
            stack.extend(reversed(node.children))

    def node(self, path: str) -> Optional[Node]:
        """The node at a dotted path as Node.path writes it, or None."""
        return next((node for node in self if node.path == path), None)

    def reload(self, *, check: bool = True):
        """The template read again, as the lookup finds it now."""
        return self.framework.template(self.name, check=check)

    def flatten(self, campaign: Optional[Campaign] = None, *, check: bool = True):
        """The flattened line: see Framework.flatten."""
        return self.framework.flatten(self, campaign, check=check)

    def get(self, selector: str, campaign: Optional[Campaign] = None, *, check: bool = True):
        """The values at a node name or dotted path: see Framework.get."""
        return self.framework.get(self, selector, campaign, check=check)

    def set(self, selector: str, value: str, index: Optional[int] = None, *, check: bool = True):
        """Writes into the working copy: see Framework.set."""
        return self.framework.set(self, selector, value, index, check=check)

    def __repr__(self) -> str:
        return f"<Template {self.name} ({self.type}, {self.cell}) from {self.path!r}>"
