"""The binding of l3xml's modern C++ interface; use the l3xml package."""

from typing import Dict, Iterator, List, Optional, Tuple, TypeVar, Union, overload

_T = TypeVar("_T")
_Outcome = Tuple[Optional[_T], List["Diagnostic"]]

class codes:
    """The stable codes of diagnostics (a submodule); tools may rely on them."""

    MALFORMED_XML: str
    MISSING_FILE: str
    MISSING_TEMPLATE: str
    NO_TARGET: str
    UNRESOLVED_REFERENCE: str
    UNKNOWN_TYPE: str
    BAD_ENUM: str
    BAD_BOOLEAN: str
    OUT_OF_RANGE: str
    BAD_BINARY: str
    LINE_TOO_LONG: str
    TOO_DEEP: str
    ASSOCIATION_UNBOUND: str
    DUPLICATE_PARAMETER: str
    UNUSED_PARAMETER: str
    AMBIGUOUS_PIXIT: str
    SHADOWED_TEMPLATE: str
    NO_FRAMEWORK: str
    BAD_SELECTOR: str
    WRITE_FAILED: str
    REFUSED_NAME: str
    BAD_VALUE: str
    LIBRARY: str
    INTERNAL_ERROR: str

class Severity:
    """How bad a diagnostic is."""

    NOTE: Severity
    WARNING: Severity
    ERROR: Severity
    name: str
    value: int
    def __int__(self) -> int: ...

class Diagnostic:
    """One finding of a call: code, file, line and column (0 when unknown), message."""

    severity: Severity
    code: str
    file: str
    line: int
    column: int
    message: str
    is_error: bool

class Position:
    """A place in a file: line and column from 1, 0 when unknown."""

    file: str
    line: int
    column: int

class Base:
    """The base folder a place of the search list stands on."""

    SYSTEM: Base
    USER: Base
    FIXED_FOLDER: Base
    name: str
    value: int
    def __int__(self) -> int: ...

class Location:
    """Where the framework's lookup finds a file; os.fspath() gives its path."""

    path: str
    base: Base
    folder: str
    cell: str
    candidate: int
    working_copy: bool
    def __fspath__(self) -> str: ...

class TemplateEntry:
    """One template of the search folders: a file name and the cell whose search list finds it."""

    name: str
    cell: str
    area: str
    location: Location
    hidden: List[Location]
    label: str

class WorkingCopy:
    """A working copy the library wrote, and the template it stands for."""

    name: str
    cell: str
    path: str
    template: Optional[str]
    def __fspath__(self) -> str: ...

class Parameter:
    """One PIXIT parameter of a campaign."""

    name: str
    type: str
    value: str
    converted: str
    group: str
    unit: str
    comment: str
    cell: str
    templates: List[str]
    position: Position

class TypeDefinition:
    """One type definition of the type file."""

    name: str
    base_type: str
    type: str
    min_value: str
    max_value: str
    enumerators: Dict[str, str]
    position: Position

class Binding:
    """One binding of the association file, with the values it carries."""

    parameter: str
    node: str
    type: str
    file: str
    cell: str
    converted: str
    written: bool
    position: Position

class AssociationMode:
    """What a campaign's load does with the association file."""

    SKIP: AssociationMode
    READ: AssociationMode
    APPLY: AssociationMode
    name: str
    value: int
    def __int__(self) -> int: ...

class Campaign:
    """PIXIT parameters, types and association bindings; a mapping from name to Parameter."""

    pixit_file: str
    type_file: str
    association_file: Optional[str]
    parameters: List[Parameter]
    types: List[TypeDefinition]
    bindings: List[Binding]
    def __getitem__(self, name: str) -> Parameter: ...
    def __contains__(self, name: object) -> bool: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[str]: ...
    @overload
    def get(self, name: str) -> Optional[Parameter]: ...
    @overload
    def get(self, name: str, default: Union[Parameter, _T]) -> Union[Parameter, _T]: ...
    def keys(self) -> List[str]: ...
    def values(self) -> List[Parameter]: ...
    def items(self) -> List[Tuple[str, Parameter]]: ...
    def type(self, name: str) -> Optional[TypeDefinition]: ...
    def value_of(self, reference: str) -> Optional[str]: ...
    def set(self, name: str, value: str) -> None: ...
    def copy(self) -> Campaign: ...
    def __copy__(self) -> Campaign: ...
    def __deepcopy__(self, memo: object) -> Campaign: ...

class NodeKind:
    """What the flattening makes of an element, decided on its name."""

    CHOICE: NodeKind
    OPTIONAL: NodeKind
    SEQUENCE: NodeKind
    OTHER: NodeKind
    name: str
    value: int
    def __int__(self) -> int: ...

class Node:
    """An element of a template's tree; iterating gives its element children."""

    name: str
    local_name: str
    kind: NodeKind
    text: str
    path: str
    position: Position
    children: List[Node]
    leaf: bool
    reference: Optional[str]
    def __iter__(self) -> Iterator[Node]: ...
    def __len__(self) -> int: ...
    def __getitem__(self, local_name: str) -> Node: ...

class Reference:
    """A node whose text is a PIXIT reference."""

    parameter: str
    path: str
    line: int
    column: int

class TemplateTree:
    """A template read into a tree; l3xml.Template wraps it."""

    name: str
    path: str
    type: str
    root: Node
    references: List[Reference]

class Change:
    """A value or element that differs between two states of a template."""

    path: str
    before: str
    after: str

class Changes:
    """What a write changed; iterating gives the Change objects."""

    file: str
    working_copy: str
    changes: List[Change]
    baseline: str
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[Change]: ...

class Reach:
    """One place that a PIXIT parameter reaches."""

    template: str
    cell: str
    how: str
    path: str
    part: str
    position: Position

class FieldDifference:
    """A field whose value differs between two campaigns."""

    template: str
    cell: str
    path: str
    before: str
    after: str

class Framework:
    """The framework of the modern interface; l3xml.Framework wraps it."""

    system: str
    user: str
    cell: str
    work: str
    def __init__(self, system: str, user: str, cell: str, work: str) -> None: ...
    def with_cell(self, cell: str) -> Framework: ...
    def find(self, name: str) -> Optional[Location]: ...
    def find_template(self, name: str) -> Optional[Location]: ...
    def working_copy_path(self, name: str) -> Optional[str]: ...
    def templates(self) -> List[TemplateEntry]: ...
    def pixit_files(self) -> List[str]: ...
    def type_file(self, pixit: str) -> Optional[Location]: ...
    def association_file(self) -> Optional[Location]: ...
    def load_campaign(self, pixit: str, types: str, association: AssociationMode) -> _Outcome[Campaign]: ...
    def load_template(self, name: str) -> _Outcome[TemplateTree]: ...
    def read_template(self, path: str) -> _Outcome[TemplateTree]: ...
    def flatten(self, name: str, campaign: Optional[Campaign]) -> _Outcome[str]: ...
    def get(self, name: str, selector: str, campaign: Optional[Campaign]) -> _Outcome[List[str]]: ...
    def message_type(self, name: str) -> _Outcome[str]: ...
    def set(self, name: str, selector: str, value: str, index: Optional[int]) -> _Outcome[Changes]: ...
    def apply(self, campaign: Campaign, name: str) -> _Outcome[Changes]: ...
    def rename(self, name: str, old: str, new: str) -> _Outcome[Changes]: ...
    def compare(self, name: str) -> _Outcome[Changes]: ...
    def working_copies(self) -> List[WorkingCopy]: ...
    def remove_working_copy(self, name: str) -> _Outcome[bool]: ...
    def check(self, pixit: str, types: str) -> List[Diagnostic]: ...
    def impact(self, campaign: Campaign, parameter: str) -> _Outcome[List[Reach]]: ...
    def compare_campaigns(self, before: Campaign, after: Campaign) -> _Outcome[List[FieldDifference]]: ...
