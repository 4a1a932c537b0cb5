<!DOCTYPE qgis>
<qgis><pipe><rasterrenderer type="singlebandpseudocolor"><rastershader><colorrampshader colorRampType="INTERPOLATED" clip="1">
<item value="0" color="#ff0000" alpha="255" label="a"/><item value="10" color="#0000ff" alpha="0" label="b"/>
</colorrampshader></rastershader></rasterrenderer></pipe></qgis>
