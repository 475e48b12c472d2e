# Command words are lower-cased and matched whole; other words get the hint.
stdin:
<loads
<pd
<x
<\tpdb
<helpme
<LOAD
<Pdb -T AS
<   pdb    -t   as  
<pdb -t as 4 5 6 7 8 9 10 11 12
<F
<P
<q
stdout:
|ZEB> \tpress h (or help) for help$
|ZEB> \tpress h (or help) for help$
|ZEB> \tpress h (or help) for help$
|ZEB> \tpress h (or help) for help$
|ZEB> \tpress h (or help) for help$
|ZEB> \tsyntax: l (or load) replay.spr$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> \tsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \tsyntax error$
|$
|ZEB> \tno replay found$
|\tuse 'l replay.spr' to load one$
|ZEB> %
