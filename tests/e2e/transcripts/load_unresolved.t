# Replays whose track, car or layout the tables do not hold are loaded but
# not filed; a code of another track files under the named track.
replay unknown_track.spr track=Nowhere code=
replay unknown_car.spr car="XR GT TURBO "
replay fe7r.spr track="Fern Bay" code=FE7R
replay config0.spr code= config=0
replay westhill_as7r.spr track=Westhill code=AS7R
replay mass_under_code.spr code=BL1R mass=5
replay lower_case_car.spr car="xr gt turbo"
replay blackwood_as2.spr racer=odd track=Blackwood code=AS2
replay fxo.spr racer=turbo car="FXO TURBO" code=BL2R
replay config25.spr racer=kyo track="Kyoto Ring" code= config=25
stdin:
<l unknown_track.spr
<l unknown_car.spr
<l fe7r.spr
<l config0.spr
<p
<l westhill_as7r.spr
<l mass_under_code.spr
<l lower_case_car.spr
<l blackwood_as2.spr
<l fxo.spr
<l config25.spr
<pdb
<find odd
<find turbo
<pdb -s we1r
<q
stdout:
|ZEB> \tunknown_track.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tunknown_car.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tfe7r.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tconfig0.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\t0.6T$
|Track code:\tBL0$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tBlackwood$
|Configuration:\t0$
|Reversed:\t0$
|S2 username:\tracer$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t103618305$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tracer$
|ZEB> \twesthill_as7r.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tmass_under_code.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tlower_case_car.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> \tblackwood_as2.spr loaded!$
|\tappended at pos 0$
|ZEB> \tfxo.spr loaded!$
|\tappended at pos 0$
|ZEB> \tconfig25.spr loaded!$
|\tappended at pos 0$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tturbo\t\tBL2R\tFXO TURBO      \t01:23.456 (1)$
|0\todd\t\tAS2\tXR GT TURBO    \t01:23.456 (1)$
|0\tkyo\t\tKY2\tXR GT TURBO    \t01:23.456 (1)$
|$
|ZEB> odd found on track Blackwood (bl2) with XR GT TURBO, at pos 0$
|ZEB> turbo found on track Blackwood (bl2r) with FXO TURBO, at pos 0$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> %
